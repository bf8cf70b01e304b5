#include "service/ServiceStatusPoll.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/ServiceManager.h"
#include "tests/support/SimulatedServiceManager.h"
#include "service/FtpServiceControl.h"

namespace {

// A service manager that can fall silent: then a question asked on the test's own thread
// fails at once, as one whose time-out has passed, while a question from another thread waits
// until the test lets it through. It counts the questions.
class SilentManager final : public ServiceControlBackend {
 public:
  explicit SilentManager(std::shared_ptr<ServiceControlBackend> answering)
      : m_answering(std::move(answering)) {}

  DWORD OpenManager(std::unique_ptr<ManagerConnection>& manager) override {
    std::unique_lock lock(m_mutex);
    ++m_questions;
    if (std::this_thread::get_id() != m_testThread) m_released.wait(lock, [this] { return !m_silent; });
    return m_silent ? DWORD(ERROR_SERVICE_REQUEST_TIMEOUT) : m_answering->OpenManager(manager);
  }

  void SetSilent(bool silent) {
    std::lock_guard lock(m_mutex);
    m_silent = silent;
    m_released.notify_all();
  }
  int Questions() const { return m_questions; }

 private:
  std::shared_ptr<ServiceControlBackend> m_answering;
  const std::thread::id m_testThread = std::this_thread::get_id();
  std::mutex m_mutex;
  std::condition_variable m_released;
  bool m_silent = false;
  std::atomic<int> m_questions = 0;
};

TEST(ServiceStatusPollTest, ASilentManagerIsAskedAgainOnlyInTheBackgroundOneQuestionAtATime) {
  const auto services = std::make_shared<SimulatedServiceManager>(std::make_shared<SimulatedClock>());
  services->AddService(kFtpServiceName);
  const auto manager = std::make_shared<SilentManager>(services);
  SetServiceControlBackend(manager);
  ServiceStatusPoll poll;
  manager->SetSilent(true);
  EXPECT_EQ(poll.Look(), std::nullopt);  // asked, and timed out: from now on asked in the background
  while (manager->Questions() < 2) std::this_thread::yield();  // until that question is out
  for (int look = 0; look < 5; ++look) {
    EXPECT_EQ(poll.Look(), std::nullopt);
    EXPECT_TRUE(poll.ManagerUnavailable());
  }
  EXPECT_EQ(manager->Questions(), 2);  // no look added a question

  manager->SetSilent(false);
  while (!poll.Look()) std::this_thread::yield();  // until the background question has its answer
  EXPECT_FALSE(poll.ManagerUnavailable());
  EXPECT_EQ(poll.Look(), std::optional<DWORD>(SERVICE_STOPPED));  // asked at once again
  EXPECT_EQ(manager->Questions(), 3);
  SetServiceControlBackend(nullptr);
}

}  // namespace
