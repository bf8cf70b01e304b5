#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/LastError.h"
#include "platform/ServiceManager.h"
#include "platform/SimulatedServiceManager.h"
#include "service/FtpServiceControl.h"
#include "service/ServiceStateText.h"

namespace {

using Sleeps = std::vector<DWORD>;

std::vector<SimulatedStep> PendingThen(DWORD pendingState, DWORD waitHint, DWORD endsAfterMs, DWORD endState)
{
    return {{0, SimulatedStatus(pendingState, 1, waitHint)}, {endsAfterMs, SimulatedStatus(endState)}};
}

// Start pending with the check point rising every everyMs, count times, then endState.
std::vector<SimulatedStep> RisingStart(DWORD waitHint, DWORD everyMs, DWORD count, DWORD endState)
{
    std::vector<SimulatedStep> steps;
    for (DWORD i = 0; i < count; ++i)
        steps.push_back({i * everyMs, SimulatedStatus(SERVICE_START_PENDING, i + 1, waitHint)});
    steps.push_back({count * everyMs, SimulatedStatus(endState)});
    return steps;
}

class FtpServiceControlTest : public testing::Test {
protected:
    void SetUp() override
    {
        SetClock(clock);
        SetServiceControlBackend(sim);
    }

    void TearDown() override
    {
        EXPECT_EQ(OpenServiceHandleCount(), 0u) << "a handle was left open";
        SetServiceControlBackend(nullptr);
        SetClock(nullptr);
    }

    DWORD Elapsed() const { return clock->TickCount() - startTick; }
    bool Requested(const std::string& request) const
    {
        const auto& requests = sim->Requests();
        return std::find(requests.begin(), requests.end(), request) != requests.end();
    }

    // Every wait crosses the 2^32 wrap of the tick count.
    const DWORD startTick = 0xFFFFFFFFu - 15000;
    std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>(startTick);
    std::shared_ptr<SimulatedServiceManager> sim = std::make_shared<SimulatedServiceManager>(clock);
    SimulatedService& ftp = sim->AddService(kFtpServiceName);
};

TEST(ServiceStateTextTest, TextAndButtonsForEachState)
{
    const struct {
        DWORD state;
        std::string text;
        int16_t buttons;
    } cases[] = {
        {0, "Unknown", kServiceButtonsNone},
        {SERVICE_STOPPED, "Stopped", kServiceButtonsStartOnly},
        {SERVICE_START_PENDING, "Starting", kServiceButtonsNone},
        {SERVICE_STOP_PENDING, "Stopping", kServiceButtonsNone},
        {SERVICE_RUNNING, "Running", kServiceButtonsStopOnly},
        {SERVICE_CONTINUE_PENDING, "Continuing", kServiceButtonsNone},
        {SERVICE_PAUSE_PENDING, "Pausing", kServiceButtonsNone},
        {SERVICE_PAUSED, "Paused", kServiceButtonsNone},
        {8, "Unknown", kServiceButtonsNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ServiceStateText(c.state).text, c.text) << c.state;
        EXPECT_EQ(ServiceStateText(c.state).buttonMode, c.buttons) << c.state;
    }
}

TEST_F(FtpServiceControlTest, StartSleepsATenthOfTheWaitHintWithinOneAndTenSeconds)
{
    const struct {
        DWORD waitHint;
        DWORD sleep;
    } cases[] = {{0, 1000}, {25000, 2500}, {100000, 10000}, {400000, 10000}};
    for (const auto& c : cases) {
        ftp.status = SimulatedStatus(SERVICE_STOPPED);
        ftp.afterStart = RisingStart(c.waitHint, c.sleep, 3, SERVICE_RUNNING);
        const std::size_t sleptBefore = clock->Sleeps().size();
        testing::internal::CaptureStdout();
        EXPECT_EQ(StartFtpService(), 0u) << c.waitHint;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "Service start pending.\nStartService SUCCESS.\n");
        const Sleeps slept = clock->Sleeps();
        EXPECT_EQ(Sleeps(slept.begin() + sleptBefore, slept.end()), Sleeps(3, c.sleep)) << c.waitHint;
    }
}

TEST_F(FtpServiceControlTest, StartWaitsAsLongAsTheCheckPointRises)
{
    ftp.afterStart = RisingStart(2000, 1000, 120, SERVICE_RUNNING);

    testing::internal::CaptureStdout();
    EXPECT_EQ(StartFtpService(), 0u);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(Elapsed(), 120000u);
}

TEST_F(FtpServiceControlTest, StartGivesUpOnceTheCheckPointStallsLongerThanTheWaitHint)
{
    ftp.afterStart = {{0, SimulatedStatus(SERVICE_START_PENDING, 1, 3000)},
                      {1000, SimulatedStatus(SERVICE_START_PENDING, 2, 3000)}};
    SetLastError(ERROR_FILE_NOT_FOUND); // left over from an earlier call: not this start's result

    testing::internal::CaptureStdout();
    EXPECT_EQ(StartFtpService(), DWORD(ERROR_SERVICE_REQUEST_TIMEOUT));
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Service start pending.\n"
              "\nService not started. \n"
              "  Current State: 2\n"
              "  Exit Code: 0\n"
              "  Service Specific Exit Code: 0\n"
              "  Check Point: 2\n"
              "  Wait Hint: 3000\n");
    // The last rise came at 1000 ms; the wait ends at the first query more than 3000 ms later.
    EXPECT_EQ(clock->Sleeps(), Sleeps(5, 1000));
}

TEST_F(FtpServiceControlTest, StartReturnsTheErrorOfAQueryThatFailsDuringTheWait)
{
    ftp.afterStart = {{0, SimulatedStatus(SERVICE_START_PENDING, 1, 0)}};
    clock->OnSleep([this](DWORD) { ftp.queryError = ERROR_ACCESS_DENIED; });

    testing::internal::CaptureStdout();
    EXPECT_EQ(StartFtpService(), DWORD(ERROR_ACCESS_DENIED));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(clock->Sleeps().size(), 1u);
}

TEST_F(FtpServiceControlTest, StartReturnsOneWhenItCannotBeginTheWait)
{
    testing::internal::CaptureStdout();
    sim->openManagerError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(StartFtpService(), 1u);
    sim->openManagerError = ERROR_SUCCESS;

    ftp.openError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(StartFtpService(), 1u);
    ftp.openError = ERROR_SUCCESS;

    ftp.startError = ERROR_SERVICE_DISABLED;
    EXPECT_EQ(StartFtpService(), 1u);
    ftp.startError = ERROR_SUCCESS;

    ftp.queryError = ERROR_SERVICE_REQUEST_TIMEOUT;
    EXPECT_EQ(StartFtpService(), 1u);
    testing::internal::GetCapturedStdout();

    SetServiceControlBackend(nullptr);
    EXPECT_EQ(StartFtpService(), 1u);
    EXPECT_TRUE(clock->Sleeps().empty());
}

TEST_F(FtpServiceControlTest, StopOfAStoppedServiceSendsNoControl)
{
    EXPECT_EQ(StopFtpService(1, 30000), 0u);
    EXPECT_EQ(sim->Requests(), std::vector<std::string>{"open Veltrane Server"});
}

TEST_F(FtpServiceControlTest, StopWaitsOutAStopAlreadyPending)
{
    // Already on its way down: it stops by itself, no control needed.
    ftp.status = SimulatedStatus(SERVICE_STOP_PENDING, 1, 0);
    clock->OnSleep([this](DWORD) {
        if (clock->Sleeps().size() == 2)
            ftp.status = SimulatedStatus(SERVICE_STOPPED);
    });
    EXPECT_EQ(StopFtpService(1, 30000), 0u);
    EXPECT_FALSE(Requested("stop Veltrane Server"));
    EXPECT_EQ(clock->Sleeps(), Sleeps(2, 1000));
}

TEST_F(FtpServiceControlTest, StopStopsActiveDependentsOneByOneBeforeTheService)
{
    ftp.status = SimulatedStatus(SERVICE_RUNNING);
    ftp.afterStop = PendingThen(SERVICE_STOP_PENDING, 4000, 1500, SERVICE_STOPPED);
    ftp.dependents = {"Upload Scanner", "Idle Dependent", "Quota Watcher"};
    for (const char* name : {"Upload Scanner", "Quota Watcher"}) {
        SimulatedService& dependent = sim->AddService(name);
        dependent.status = SimulatedStatus(SERVICE_RUNNING);
        dependent.afterStop = PendingThen(SERVICE_STOP_PENDING, 2000, 1500, SERVICE_STOPPED);
    }
    sim->AddService("Idle Dependent");

    EXPECT_EQ(StopFtpService(1, 30000), 0u);
    EXPECT_EQ(sim->Requests(), (std::vector<std::string>{
                                   "open Veltrane Server", "dependents Veltrane Server", "dependents Veltrane Server",
                                   "open Upload Scanner", "stop Upload Scanner",
                                   "open Quota Watcher", "stop Quota Watcher", "stop Veltrane Server"}));
    // Two waits each: every stop was waited for before the next was sent.
    EXPECT_EQ(clock->Sleeps(), Sleeps(6, 1000));
    EXPECT_EQ(sim->Service("Quota Watcher").status.dwCurrentState, SERVICE_STOPPED);
}

TEST_F(FtpServiceControlTest, StopOfADependentThatHangsTimesOutWithinTheLimit)
{
    ftp.status = SimulatedStatus(SERVICE_RUNNING);
    ftp.dependents = {"Hanging"};
    SimulatedService& hanging = sim->AddService("Hanging");
    hanging.status = SimulatedStatus(SERVICE_RUNNING);
    hanging.afterStop = {{0, SimulatedStatus(SERVICE_STOP_PENDING, 1, 100000)}};

    EXPECT_EQ(StopFtpService(1, 30000), DWORD(ERROR_TIMEOUT));
    EXPECT_FALSE(Requested("stop Veltrane Server"));
    // A tenth of the huge hint, cut short so that no sleep reaches past the time-out.
    EXPECT_EQ(clock->Sleeps(), (Sleeps{10000, 10000, 10000, 1}));
    EXPECT_EQ(Elapsed(), 30001u);
}

TEST_F(FtpServiceControlTest, StopWithoutDependentsNeverListsThem)
{
    ftp.status = SimulatedStatus(SERVICE_RUNNING);
    ftp.afterStop = PendingThen(SERVICE_STOP_PENDING, 0, 2500, SERVICE_STOPPED);
    ftp.dependents = {"Other"};
    sim->AddService("Other").status = SimulatedStatus(SERVICE_RUNNING);

    EXPECT_EQ(StopFtpService(0, 30000), 0u);
    EXPECT_FALSE(Requested("dependents Veltrane Server"));
    EXPECT_EQ(sim->Service("Other").status.dwCurrentState, SERVICE_RUNNING);
    // A hint of 0 sleeps a second at a time instead of spinning.
    EXPECT_EQ(clock->Sleeps(), Sleeps(3, 1000));
}

TEST_F(FtpServiceControlTest, StopCountsADependentThatStoppedMeanwhileAsStopped)
{
    ftp.status = SimulatedStatus(SERVICE_RUNNING);
    ftp.dependents = {"Gone"};
    SimulatedService& gone = sim->AddService("Gone");
    gone.status = SimulatedStatus(SERVICE_RUNNING);
    gone.stopError = ERROR_SERVICE_NOT_ACTIVE;

    EXPECT_EQ(StopFtpService(1, 30000), 0u);
    EXPECT_EQ(ftp.status.dwCurrentState, SERVICE_STOPPED);
}

TEST_F(FtpServiceControlTest, StopReturnsTheErrorOfTheCallThatFailed)
{
    ftp.openError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(StopFtpService(1, 30000), 1u);
    ftp.openError = ERROR_SUCCESS;

    ftp.status = SimulatedStatus(SERVICE_RUNNING);
    ftp.dependentsError = RPC_S_SERVER_UNAVAILABLE;
    EXPECT_EQ(StopFtpService(1, 30000), DWORD(RPC_S_SERVER_UNAVAILABLE));

    ftp.stopError = ERROR_SERVICE_CANNOT_ACCEPT_CTRL;
    EXPECT_EQ(StopFtpService(0, 30000), DWORD(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
    EXPECT_EQ(ftp.status.dwCurrentState, SERVICE_RUNNING);
}

TEST_F(FtpServiceControlTest, QueryStateReportsWhetherItWorked)
{
    ftp.status = SimulatedStatus(SERVICE_PAUSED);
    EXPECT_EQ(QueryFtpServiceState(), std::optional<DWORD>(SERVICE_PAUSED));
    ftp.queryError = ERROR_ACCESS_DENIED;
    EXPECT_EQ(QueryFtpServiceState(), std::nullopt);
    SetServiceControlBackend(nullptr);
    EXPECT_EQ(QueryFtpServiceState(), std::nullopt);
}

} // namespace
