#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
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
    void SetUp() override
    {
        std::string skipReason;
        if (!mock.Start(skipReason))
            GTEST_SKIP() << skipReason;
        mock.AddUnit(kUnit, "FTP test server");
        Install(2s);
    }

    void TearDown() override
    {
        for (SC_HANDLE handle : {service, manager})
            if (handle != nullptr)
                CloseServiceHandle(handle);
        SetServiceControlBackend(nullptr);
        EXPECT_EQ(OpenServiceHandleCount(), 0u);
    }

    void Install(std::chrono::microseconds callTimeout)
    {
        SetServiceControlBackend(std::make_shared<SystemdServiceBackend>(
            std::map<std::string, std::string>{{"FTP Test", kUnit}}, callTimeout));
    }

    // Opens the manager and "FTP Test" with the rights given; false with the last error set.
    bool Open(DWORD access)
    {
        manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
        if (manager == nullptr)
            return false;
        service = OpenServiceA(manager, "FTP Test", access);
        return service != nullptr;
    }

    SERVICE_STATUS Query()
    {
        SERVICE_STATUS status{};
        EXPECT_TRUE(QueryServiceStatus(service, &status)) << GetLastError();
        return status;
    }

    SystemdMock mock;
    SC_HANDLE manager = nullptr;
    SC_HANDLE service = nullptr;
};

TEST_F(SystemdServiceBackendTest, StatesAndWaitHintsFollowTheUnit)
{
    ASSERT_TRUE(Open(GENERIC_READ)) << GetLastError();
    mock.Control("SetServiceProperties", "sa{sv}", kUnit, 2, "TimeoutStartUSec", "t", uint64_t(10000000),
                 "TimeoutStopUSec", "t", uint64_t(UINT64_MAX));
    const struct {
        const char* activeState;
        unsigned jobId;
        DWORD state;
        DWORD waitHint;
    } cases[] = {
        {"inactive", 0, SERVICE_STOPPED, 0},
        {"inactive", 7, SERVICE_START_PENDING, 10000}, // a start job waiting its turn
        {"activating", 7, SERVICE_START_PENDING, 10000},
        {"active", 0, SERVICE_RUNNING, 0},
        {"reloading", 8, SERVICE_RUNNING, 0},
        {"deactivating", 9, SERVICE_STOP_PENDING, 90000}, // no time-out: systemd's default
        {"maintenance", 0, 0, 0},
    };
    for (const auto& c : cases) {
        mock.SetUnitState(kUnit, c.activeState, "sub", c.jobId);
        const SERVICE_STATUS status = Query();
        EXPECT_EQ(status.dwCurrentState, c.state) << c.activeState;
        EXPECT_EQ(status.dwWaitHint, c.waitHint) << c.activeState;
        EXPECT_EQ(status.dwControlsAccepted, c.state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0u);
        EXPECT_EQ(status.dwWin32ExitCode, 0u) << c.activeState;
    }

    mock.Control("SetServiceProperties", "sa{sv}", kUnit, 1, "ExecMainStatus", "i", int32_t(3));
    mock.SetUnitState(kUnit, "failed", "failed");
    const SERVICE_STATUS failed = Query();
    EXPECT_EQ(failed.dwCurrentState, SERVICE_STOPPED);
    EXPECT_EQ(failed.dwWin32ExitCode, DWORD(ERROR_SERVICE_SPECIFIC_ERROR));
    EXPECT_EQ(failed.dwServiceSpecificExitCode, 3u);
}

TEST_F(SystemdServiceBackendTest, StartAndStopRunJobsWhileTheCheckPointFollowsProgress)
{
    ASSERT_TRUE(Open(SERVICE_ALL_ACCESS)) << GetLastError();
    ASSERT_TRUE(StartServiceA(service, 0, nullptr)) << GetLastError();
    const SERVICE_STATUS queued = Query();
    EXPECT_EQ(queued.dwCurrentState, SERVICE_START_PENDING);
    EXPECT_EQ(Query().dwCheckPoint, queued.dwCheckPoint) << "no progress, no new check point";

    mock.SetUnitState(kUnit, "activating", "start-post", 1);
    const SERVICE_STATUS progressed = Query();
    EXPECT_GT(progressed.dwCheckPoint, queued.dwCheckPoint);

    mock.SetUnitState(kUnit, "active", "running");
    EXPECT_EQ(Query().dwCurrentState, SERVICE_RUNNING);
    EXPECT_EQ(Query().dwCheckPoint, 0u);
    EXPECT_FALSE(StartServiceA(service, 0, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SERVICE_ALREADY_RUNNING));

    SERVICE_STATUS afterStop{};
    ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &afterStop)) << GetLastError();
    EXPECT_EQ(afterStop.dwCurrentState, SERVICE_STOP_PENDING);
    EXPECT_EQ(afterStop.dwWaitHint, 90000u);
    mock.SetUnitState(kUnit, "inactive", "dead");
    EXPECT_FALSE(ControlService(service, SERVICE_CONTROL_STOP, &afterStop));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SERVICE_NOT_ACTIVE));
}

TEST_F(SystemdServiceBackendTest, ActiveDependentsComeDeepestFirst)
{
    // b requires a, a requires the server, c is bound to it but inactive, d requires b too.
    mock.Control("SetUnitProperties", "sa{sv}", kUnit, 2, "RequiredBy", "as", 1, "a.service", "BoundBy", "as",
                 1, "c.service");
    mock.AddUnit("a.service", "Upload scanner", "b.service");
    mock.Control("AddUnit", "ssasas", "b.service", "Quota watcher", 1, "d.target", 0);
    mock.Control("AddUnit", "ssasas", "d.target", "Everything", 1, kUnit, 0);
    mock.AddUnit("c.service", "Idle");
    for (const char* active : {"a.service", "b.service", "d.target"})
        mock.SetUnitState(active, "active", "running");
    ASSERT_TRUE(Open(GENERIC_READ)) << GetLastError();

    DWORD needed = 0, count = 0;
    ASSERT_FALSE(EnumDependentServicesA(service, SERVICE_ACTIVE, nullptr, 0, &needed, &count));
    ASSERT_EQ(GetLastError(), DWORD(ERROR_MORE_DATA));
    std::vector<ENUM_SERVICE_STATUSA> buffer(needed / sizeof(ENUM_SERVICE_STATUSA) + 1);
    ASSERT_TRUE(EnumDependentServicesA(service, SERVICE_ACTIVE, buffer.data(), needed, &needed, &count));

    std::vector<std::string> names;
    for (DWORD i = 0; i < count; ++i)
        names.push_back(std::string(buffer[i].lpServiceName) + "|" + buffer[i].lpDisplayName);
    EXPECT_EQ(names, (std::vector<std::string>{"d.target|Everything", "b.service|Quota watcher",
                                               "a.service|Upload scanner"}));
    EXPECT_EQ(buffer[0].ServiceStatus.dwCurrentState, SERVICE_RUNNING);
}

TEST_F(SystemdServiceBackendTest, RefusalsBecomeWin32Errors)
{
    manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_NE(manager, nullptr) << GetLastError();
    EXPECT_EQ(OpenServiceA(manager, "missing.service", GENERIC_READ), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(OpenServiceA(manager, "Not A Unit", GENERIC_READ), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME));
    EXPECT_EQ(OpenServiceA(manager, "caf\xe9.service", GENERIC_READ), nullptr) << "not UTF-8";
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_NAME));

    service = OpenServiceA(manager, "FTP Test", SERVICE_ALL_ACCESS);
    ASSERT_NE(service, nullptr) << GetLastError();
    mock.Refuse("StartUnit", kUnit, "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired");
    EXPECT_FALSE(StartServiceA(service, 0, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    mock.Refuse("StartUnit", kUnit, "org.freedesktop.systemd1.UnitMasked");
    EXPECT_FALSE(StartServiceA(service, 0, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SERVICE_DISABLED));

    mock.SetUnitState(kUnit, "active", "running");
    mock.Refuse("StopUnit", kUnit, "org.freedesktop.DBus.Error.AccessDenied");
    SERVICE_STATUS status{};
    EXPECT_FALSE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

TEST_F(SystemdServiceBackendTest, ASilentManagerTimesOut)
{
    Install(100ms);
    mock.Control("Delay", "sd", "LoadUnit", 1.0);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_FALSE(Open(GENERIC_READ));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SERVICE_REQUEST_TIMEOUT));
    EXPECT_LT(std::chrono::steady_clock::now() - before, 900ms);
}

TEST_F(SystemdServiceBackendTest, NoManagerWithoutSystemdOrWithoutABus)
{
    mock.StopManager();
    EXPECT_TRUE(SystemdServiceBackend::SystemBusAnswers());
    EXPECT_EQ(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(RPC_S_SERVER_UNAVAILABLE));

    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/bus", 1);
    EXPECT_FALSE(SystemdServiceBackend::SystemBusAnswers());
    EXPECT_EQ(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(RPC_S_SERVER_UNAVAILABLE));
}

} // namespace
