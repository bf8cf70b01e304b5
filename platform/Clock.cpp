#include "platform/Clock.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace {

class SteadyClock final : public Clock {
 public:
  DWORD TickCount() override {
    const auto sinceOrigin = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceOrigin).count());
  }

  void Sleep(DWORD milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

std::mutex clockMutex;

std::shared_ptr<Clock>& InstalledClock() {
  static std::shared_ptr<Clock> clock = std::make_shared<SteadyClock>();
  return clock;
}

std::shared_ptr<Clock> CurrentClock() {
  std::lock_guard lock(clockMutex);
  return InstalledClock();
}

}  // namespace

void SetClock(std::shared_ptr<Clock> clock) {
  std::lock_guard lock(clockMutex);
  InstalledClock() = clock ? std::move(clock) : std::make_shared<SteadyClock>();
}

DWORD GetTickCount() { return CurrentClock()->TickCount(); }

void Sleep(DWORD milliseconds) { CurrentClock()->Sleep(milliseconds); }
