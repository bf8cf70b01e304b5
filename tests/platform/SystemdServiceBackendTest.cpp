#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "SystemdMock.h"
#include "platform/LastError.h"
#include "platform/ServiceManager.h"
#include "platform/SystemdServiceBackend.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kUnit = "ftp-test.service";

class SystemdServiceBackendTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string skipReason;
    if (!mock.Start(skipReason)) GTEST_SKIP() << skipReason;
    mock.AddUnit(kUnit, "FTP test server");
    Install(2s);
  }

  void TearDown() override {
    Close();
    SetServiceControlBackend(nullptr);
    EXPECT_EQ(OpenServiceHandleCount(), 0u);
  }

  static void Install(std::chrono::microseconds callTimeout) {
    SetServiceControlBackend(std::make_shared<SystemdServiceBackend>(
        std::map<std::string, std::string>{{"FTP Test", kUnit}}, callTimeout));
  }

  // Opens the manager and "FTP Test" with the rights given; false with the last error set.
  bool Open(DWORD access) {
    Close();
    manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    service = manager ? OpenServiceA(manager, "FTP Test", access) : nullptr;
    return service != nullptr;
  }
  void Close() {
    for (SC_HANDLE* handle : {&service, &manager})
      if (*handle != nullptr) CloseServiceHandle(std::exchange(*handle, nullptr));
  }

  SERVICE_STATUS Query() {
    SERVICE_STATUS status{};
    EXPECT_TRUE(QueryServiceStatus(service, &status)) << GetLastError();
    return status;
  }

  static void ExpectFailed(BOOL result, DWORD error) {
    EXPECT_FALSE(result);
    EXPECT_EQ(GetLastError(), error);
  }

  SystemdMock mock;
  SC_HANDLE manager = nullptr;
  SC_HANDLE service = nullptr;
};

// A failed unit's exit status shows as the service's own; other states show none.
TEST_F(SystemdServiceBackendTest, StatesWaitHintsAndExitCodesFollowTheUnit) {
  ASSERT_TRUE(Open(GENERIC_READ)) << GetLastError();
  mock.Control("SetServiceProperties", "sa{sv}", kUnit, 3, "TimeoutStartUSec", "t", uint64_t(10000000),
               "TimeoutStopUSec", "t", uint64_t(UINT64_MAX), "ExecMainStatus", "i", int32_t(3));
  const struct {
    const char* activeState;
    unsigned jobId;
    DWORD state, waitHint, exitCode;
  } cases[] = {
      {"inactive", 0, SERVICE_STOPPED, 0, 0},
      {"inactive", 7, SERVICE_START_PENDING, 10000, 0},  // a start job waiting its turn
      {"activating", 7, SERVICE_START_PENDING, 10000, 0},
      {"active", 0, SERVICE_RUNNING, 0, 0},
      {"reloading", 8, SERVICE_RUNNING, 0, 0},
      {"deactivating", 9, SERVICE_STOP_PENDING, 90000, 0},  // no time-out: systemd's default
      {"maintenance", 0, 0, 0, 0},
      {"failed", 0, SERVICE_STOPPED, 0, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.activeState);
    mock.SetUnitState(kUnit, c.activeState, "sub", c.jobId);
    const SERVICE_STATUS status = Query();
    EXPECT_EQ(status.dwCurrentState, c.state);
    EXPECT_EQ(status.dwWaitHint, c.waitHint);
    EXPECT_EQ(status.dwWin32ExitCode, c.exitCode ? DWORD(ERROR_SERVICE_SPECIFIC_ERROR) : 0u);
    EXPECT_EQ(status.dwServiceSpecificExitCode, c.exitCode);
  }
}

// A start queues a job, whose check point rises only with progress; a stop of the running
// unit is pending; each is refused in the state it would not change.
TEST_F(SystemdServiceBackendTest, StartAndStopQueueJobsAndAreRefusedWhenThereAlready) {
  ASSERT_TRUE(Open(SERVICE_ALL_ACCESS)) << GetLastError();
  ASSERT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
  const SERVICE_STATUS queued = Query();
  EXPECT_EQ(queued.dwCurrentState, SERVICE_START_PENDING);
  EXPECT_EQ(Query().dwCheckPoint, queued.dwCheckPoint) << "no progress, no new check point";
  mock.SetUnitState(kUnit, "activating", "start-post", 1);
  EXPECT_GT(Query().dwCheckPoint, queued.dwCheckPoint);
  mock.SetUnitState(kUnit, "active", "running");
  EXPECT_EQ(Query().dwCheckPoint, 0u);
  ExpectFailed(StartServiceA(service, 0, nullptr), ERROR_SERVICE_ALREADY_RUNNING);

  SERVICE_STATUS afterStop{};
  ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &afterStop)) << GetLastError();
  EXPECT_EQ(afterStop.dwCurrentState, SERVICE_STOP_PENDING);
  mock.SetUnitState(kUnit, "inactive", "dead");
  ExpectFailed(ControlService(service, SERVICE_CONTROL_STOP, &afterStop), ERROR_SERVICE_NOT_ACTIVE);
}

TEST_F(SystemdServiceBackendTest, ActiveDependentsComeDeepestFirst) {
  // b requires a, a requires the server, c is bound to it, d requires b too.
  mock.Control("SetUnitProperties", "sa{sv}", kUnit, 2, "RequiredBy", "as", 1, "a.service", "BoundBy", "as",
               1, "c.service");
  mock.AddUnit("a.service", "Upload scanner", "b.service");
  mock.AddUnit("b.service", "Quota watcher", "d.target");
  mock.AddUnit("d.target", "Everything", kUnit);
  mock.AddUnit("c.service", "Bound");
  for (const char* active : {"a.service", "b.service", "c.service", "d.target"})
    mock.SetUnitState(active, "active", "running");
  ASSERT_TRUE(Open(GENERIC_READ)) << GetLastError();

  std::vector<ENUM_SERVICE_STATUSA> buffer(20);
  DWORD needed = 0, count = 0;
  ASSERT_TRUE(
      EnumDependentServicesA(service, SERVICE_ACTIVE, buffer.data(), 20 * sizeof buffer[0], &needed, &count));
  std::vector<std::string> names;
  for (DWORD i = 0; i < count; ++i) names.push_back(buffer[i].lpServiceName);
  EXPECT_EQ(names, (std::vector<std::string>{"d.target", "b.service", "a.service", "c.service"}));
}

// Names that are no unit, the manager's refusals, a manager slower than the call time-out,
// a manager gone, a bus that takes the connection but never speaks, and a bus gone.
TEST_F(SystemdServiceBackendTest, RefusalsAndSilenceBecomeWin32Errors) {
  ASSERT_TRUE(Open(SERVICE_ALL_ACCESS)) << GetLastError();
  ExpectFailed(OpenServiceA(manager, "missing.service", GENERIC_READ) != nullptr,
               ERROR_SERVICE_DOES_NOT_EXIST);
  ExpectFailed(OpenServiceA(manager, "Not A Unit", GENERIC_READ) != nullptr, ERROR_INVALID_NAME);
  ExpectFailed(OpenServiceA(manager, "caf\xe9.service", GENERIC_READ) != nullptr,
               ERROR_INVALID_NAME);  // not UTF-8

  mock.Refuse("StartUnit", kUnit, "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired");
  ExpectFailed(StartServiceA(service, 0, nullptr), ERROR_ACCESS_DENIED);
  mock.Refuse("StartUnit", kUnit, "org.freedesktop.systemd1.UnitMasked");
  ExpectFailed(StartServiceA(service, 0, nullptr), ERROR_SERVICE_DISABLED);
  mock.SetUnitState(kUnit, "active", "running");
  mock.Refuse("StopUnit", kUnit, "org.freedesktop.DBus.Error.AccessDenied");
  SERVICE_STATUS status{};
  ExpectFailed(ControlService(service, SERVICE_CONTROL_STOP, &status), ERROR_ACCESS_DENIED);

  Install(100ms);
  mock.Control("Delay", "sd", "LoadUnit", 1.0);
  ExpectFailed(Open(GENERIC_READ), ERROR_SERVICE_REQUEST_TIMEOUT);
  Install(2s);
  mock.StopManager();
  EXPECT_TRUE(SystemdServiceBackend::SystemBusAnswers());
  ExpectFailed(Open(GENERIC_READ), RPC_S_SERVER_UNAVAILABLE);
  mock.FreezeBus();  // connecting succeeds, and nothing follows
  EXPECT_FALSE(SystemdServiceBackend::SystemBusAnswers(100ms));
  Install(100ms);
  ExpectFailed(Open(GENERIC_READ), ERROR_SERVICE_REQUEST_TIMEOUT);
  setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
  EXPECT_FALSE(SystemdServiceBackend::SystemBusAnswers());
  ExpectFailed(Open(GENERIC_READ), RPC_S_SERVER_UNAVAILABLE);
}

}  // namespace
