#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ServiceManager.h"
#include "tests/support/SimulatedServiceManager.h"
#include "service/FtpServiceControl.h"

namespace {

using Sleeps = std::vector<DWORD>;
using Requests = std::vector<std::string>;

// Pending with the check point rising every everyMs, count times, then endState.
std::vector<SimulatedStep> Rising(DWORD pendingState, DWORD waitHint, DWORD everyMs, DWORD count,
                                  DWORD endState) {
  std::vector<SimulatedStep> steps;
  for (DWORD i = 0; i < count; ++i)
    steps.push_back({i * everyMs, SimulatedStatus(pendingState, i + 1, waitHint)});
  steps.push_back({count * everyMs, SimulatedStatus(endState)});
  return steps;
}

class FtpServiceControlTest : public testing::Test {
 protected:
  void SetUp() override {
    SetClock(clock);
    SetServiceControlBackend(sim);
  }

  void TearDown() override {
    EXPECT_EQ(OpenServiceHandleCount(), 0u) << "a handle was left open";
    SetServiceControlBackend(nullptr);
    SetClock(nullptr);
  }

  // What StartFtpService returned and wrote to standard output.
  static std::pair<DWORD, std::string> Start() {
    testing::internal::CaptureStdout();
    const DWORD result = StartFtpService();
    return {result, testing::internal::GetCapturedStdout()};
  }

  // A running service with these active dependents, each stopping after 1500 ms.
  void RunningWithDependents(const std::vector<std::string>& names) {
    ftp.status = SimulatedStatus(SERVICE_RUNNING);
    ftp.afterStop = Rising(SERVICE_STOP_PENDING, 0, 1500, 1, SERVICE_STOPPED);
    ftp.dependents = names;
    for (const std::string& name : names) {
      SimulatedService& dependent = sim->AddService(name);
      dependent.status = SimulatedStatus(SERVICE_RUNNING);
      dependent.afterStop = Rising(SERVICE_STOP_PENDING, 2000, 1500, 1, SERVICE_STOPPED);
    }
  }

  // Every wait crosses the 2^32 wrap of the tick count.
  std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>(0xFFFFFFFFu - 15000);
  std::shared_ptr<SimulatedServiceManager> sim = std::make_shared<SimulatedServiceManager>(clock);
  SimulatedService& ftp = sim->AddService(kFtpServiceName);
};

TEST_F(FtpServiceControlTest, StartSleepsATenthOfTheWaitHintKeptWithinOneAndTenSeconds) {
  const struct {
    DWORD waitHint;
    DWORD sleep;
    DWORD rises;
  } cases[] = {{0, 1000, 3}, {25000, 2500, 3}, {100000, 10000, 3}, {400000, 10000, 3}, {2000, 1000, 120}};
  for (const auto& c : cases) {
    ftp.status = SimulatedStatus(SERVICE_STOPPED);
    ftp.afterStart = Rising(SERVICE_START_PENDING, c.waitHint, c.sleep, c.rises, SERVICE_RUNNING);
    const std::size_t sleptBefore = clock->Sleeps().size();
    EXPECT_EQ(Start(),
              std::make_pair(DWORD(0), std::string("Service start pending.\nStartService SUCCESS.\n")))
        << c.waitHint;
    const Sleeps slept = clock->Sleeps();
    EXPECT_EQ(Sleeps(slept.begin() + sleptBefore, slept.end()), Sleeps(c.rises, c.sleep)) << c.waitHint;
  }
}

// A stalled check point, then a query that fails during the wait.
TEST_F(FtpServiceControlTest, StartGivesUpOnceTheCheckPointStallsOrAQueryFails) {
  ftp.afterStart = {{0, SimulatedStatus(SERVICE_START_PENDING, 1, 3000)},
                    {1000, SimulatedStatus(SERVICE_START_PENDING, 2, 3000)}};
  EXPECT_EQ(
      Start(),
      std::make_pair(
          DWORD(ERROR_SERVICE_REQUEST_TIMEOUT),
          std::string("Service start pending.\n\nService not started. \n  Current State: 2\n  Exit Code: 0\n"
                      "  Service Specific Exit Code: 0\n  Check Point: 2\n  Wait Hint: 3000\n")));
  // The last rise came at 1000 ms; the wait ends at the first query more than 3000 ms later.
  EXPECT_EQ(clock->Sleeps(), Sleeps(5, 1000));

  ftp.status = SimulatedStatus(SERVICE_STOPPED);
  ftp.afterStart = {{0, SimulatedStatus(SERVICE_START_PENDING, 1, 0)}};
  clock->OnSleep([this](DWORD) { ftp.queryError = ERROR_ACCESS_DENIED; });
  EXPECT_EQ(Start().first, DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(clock->Sleeps().size(), 6u);
}

// Start answers 1 where it cannot begin the wait, and a state query nothing where it cannot
// read the service (the stopped state otherwise); stop answers the error of the call that failed
// (its callers tell only success from failure).
TEST_F(FtpServiceControlTest, AFailingCallEndsStartStopOrQueryWithoutWaiting) {
  for (DWORD* error : {&sim->openManagerError, &ftp.openError, &ftp.startError, &ftp.queryError}) {
    *error = ERROR_ACCESS_DENIED;
    EXPECT_EQ(Start().first, 1u);
    EXPECT_EQ(QueryFtpServiceState(),
              error == &ftp.startError ? std::optional<DWORD>(SERVICE_STOPPED) : std::nullopt);
    EXPECT_EQ(StopFtpService(1, 30000) != 0, error != &ftp.startError);
    *error = ERROR_SUCCESS;
  }
  ftp.status = SimulatedStatus(SERVICE_RUNNING);
  ftp.stopError = ERROR_SERVICE_CANNOT_ACCEPT_CTRL;
  EXPECT_EQ(StopFtpService(1, 30000), DWORD(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
  ftp.dependentsError = RPC_S_SERVER_UNAVAILABLE;
  EXPECT_EQ(StopFtpService(1, 30000), DWORD(RPC_S_SERVER_UNAVAILABLE));
  SetServiceControlBackend(nullptr);
  EXPECT_EQ(Start().first, 1u);
  EXPECT_TRUE(clock->Sleeps().empty());
}

TEST_F(FtpServiceControlTest, StopOfAStoppedOrStoppingServiceSendsNoControl) {
  EXPECT_EQ(StopFtpService(1, 30000), 0u);
  EXPECT_EQ(sim->Requests(), Requests{"open Veltrane Server"});

  ftp.status = SimulatedStatus(SERVICE_STOP_PENDING, 1, 0);
  clock->OnSleep([this](DWORD) {
    if (clock->Sleeps().size() == 2) ftp.status = SimulatedStatus(SERVICE_STOPPED);
  });
  EXPECT_EQ(StopFtpService(1, 30000), 0u);
  EXPECT_EQ(std::ranges::count(sim->Requests(), "stop Veltrane Server"), 0);
  EXPECT_EQ(clock->Sleeps(), Sleeps(2, 1000));
}

TEST_F(FtpServiceControlTest, StopStopsActiveDependentsOneByOneBeforeTheService) {
  RunningWithDependents({"Upload Scanner", "Gone", "Quota Watcher"});
  sim->Service("Gone").stopError = ERROR_SERVICE_NOT_ACTIVE;  // stopped meanwhile: counts as stopped

  EXPECT_EQ(StopFtpService(1, 30000), 0u);
  EXPECT_EQ(sim->Requests(),
            (Requests{"open Veltrane Server", "dependents Veltrane Server", "dependents Veltrane Server",
                      "open Upload Scanner", "stop Upload Scanner", "open Gone", "stop Gone",
                      "open Quota Watcher", "stop Quota Watcher", "stop Veltrane Server"}));
  // Two waits for each stopping dependent and for the service: each was waited for before the next.
  EXPECT_EQ(clock->Sleeps(), Sleeps(6, 1000));
}

TEST_F(FtpServiceControlTest, StopOfADependentThatHangsTimesOutWithinTheLimitBeforeTheServiceIsAsked) {
  RunningWithDependents({"Hanging"});
  sim->Service("Hanging").afterStop = {{0, SimulatedStatus(SERVICE_STOP_PENDING, 1, 100000)}};

  EXPECT_EQ(StopFtpService(1, 30000), DWORD(ERROR_TIMEOUT));
  EXPECT_EQ(std::ranges::count(sim->Requests(), "stop Veltrane Server"), 0);
  // A tenth of the huge hint, cut short so that no sleep reaches past the time-out.
  EXPECT_EQ(clock->Sleeps(), (Sleeps{10000, 10000, 10000, 1}));
}

}  // namespace
