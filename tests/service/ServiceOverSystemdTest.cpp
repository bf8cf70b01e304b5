#include <gtest/gtest.h>

#include <cstdlib>

#include "SystemdMock.h"
#include "platform/ServiceManager.h"
#include "tests/support/SimulatedClock.h"
#include "service/FtpServiceControl.h"
#include "service/ServiceBackendSelection.h"

namespace {

// The unit is named by the environment, else the configuration, else the default; it is
// started and stopped, its active dependent first, through the bus.
TEST(ServiceOverSystemdTest, TheUnitNamedIsStartedAndStoppedWithItsDependentThroughTheBus) {
  unsetenv(kFtpServiceUnitVariable);
  EXPECT_EQ(FtpServiceUnitName(), "veltrane-server.service");
  EXPECT_EQ(FtpServiceUnitName("ftp-c"), "ftp-c.service");
  setenv(kFtpServiceUnitVariable, "ftp@d.service", 1);
  EXPECT_EQ(FtpServiceUnitName("ftp-c"), "ftp@d.service");
  setenv(kFtpServiceUnitVariable, "", 1);
  EXPECT_EQ(FtpServiceUnitName(), "veltrane-server.service");

  SystemdMock mock;
  std::string skipReason;
  if (!mock.Start(skipReason)) GTEST_SKIP() << skipReason;
  setenv(kFtpServiceUnitVariable, "ftp-it", 1);
  mock.AddUnit("ftp-it.service", "FTP server", "web.service");
  mock.AddUnit("web.service", "Web front end");
  mock.Control("SetServiceProperties", "sa{sv}", "ftp-it.service", 2, "TimeoutStartUSec", "t",
               uint64_t(20000000), "TimeoutStopUSec", "t", uint64_t(5000000));
  mock.SetUnitState("web.service", "active", "running");
  const auto clock = std::make_shared<SimulatedClock>();
  clock->OnSleep([&mock](DWORD) { mock.Control("FinishJobs", ""); });
  SetClock(clock);
  SelectServiceBackend();

  EXPECT_EQ(StartFtpService(), 0u);
  EXPECT_EQ(QueryFtpServiceState(), std::optional<DWORD>(SERVICE_RUNNING));

  EXPECT_EQ(StopFtpService(1, 30000), 0u);
  // One wait for the start, one for the dependent, then one for the server.
  EXPECT_EQ(clock->Sleeps(), (std::vector<DWORD>{2000, 9000, 1000}));
  EXPECT_EQ(QueryFtpServiceState(), std::optional<DWORD>(SERVICE_STOPPED));
  SetServiceControlBackend(nullptr);
  SetClock(nullptr);
  EXPECT_EQ(OpenServiceHandleCount(), 0u);
}

}  // namespace
