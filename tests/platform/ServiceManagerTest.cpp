#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/LastError.h"
#include "platform/ServiceManager.h"
#include "platform/SimulatedServiceManager.h"

namespace {

class ServiceManagerTest : public testing::Test {
protected:
    void SetUp() override
    {
        sim->AddService("Main", "Main Service").status = SimulatedStatus(SERVICE_RUNNING);
        SetServiceControlBackend(sim);
    }

    void TearDown() override
    {
        SetServiceControlBackend(nullptr);
        EXPECT_EQ(OpenServiceHandleCount(), 0u);
    }

    std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>();
    std::shared_ptr<SimulatedServiceManager> sim = std::make_shared<SimulatedServiceManager>(clock);
};

TEST_F(ServiceManagerTest, HandlesClosedTwiceOrOfTheWrongKindAreRefused)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, GENERIC_READ);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE service = OpenServiceA(manager, "Main", GENERIC_READ);
    ASSERT_NE(service, nullptr);
    SERVICE_STATUS status{};

    EXPECT_FALSE(QueryServiceStatus(manager, &status));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_EQ(OpenServiceA(service, "Main", GENERIC_READ), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));

    EXPECT_TRUE(CloseServiceHandle(service));
    EXPECT_FALSE(CloseServiceHandle(service));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(QueryServiceStatus(service, &status));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));

    EXPECT_TRUE(CloseServiceHandle(manager));
    EXPECT_EQ(OpenServiceA(manager, "Main", GENERIC_READ), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseServiceHandle(nullptr));
    EXPECT_FALSE(CloseServiceHandle(reinterpret_cast<SC_HANDLE>(0xdead)));
}

TEST_F(ServiceManagerTest, ServiceHandleOutlivesItsManagerHandleAndItsBackend)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, GENERIC_READ);
    SC_HANDLE service = OpenServiceA(manager, "Main", GENERIC_READ);
    ASSERT_NE(service, nullptr);
    CloseServiceHandle(manager);
    SetServiceControlBackend(nullptr);
    sim.reset();

    SERVICE_STATUS status{};
    EXPECT_TRUE(QueryServiceStatus(service, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_RUNNING);
    EXPECT_TRUE(CloseServiceHandle(service));

    EXPECT_EQ(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(RPC_S_SERVER_UNAVAILABLE));
}

TEST_F(ServiceManagerTest, EachCallNeedsTheRightItsHandleWasOpenedWith)
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, GENERIC_READ);
    SC_HANDLE reader = OpenServiceA(manager, "Main", GENERIC_READ);
    SC_HANDLE stopper = OpenServiceA(manager, "Main", SERVICE_STOP | SERVICE_QUERY_STATUS);
    SERVICE_STATUS status{};
    DWORD needed = 0, count = 0;

    EXPECT_FALSE(StartServiceA(reader, 0, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(ControlService(reader, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(EnumDependentServicesA(reader, SERVICE_ACTIVE, nullptr, 0, &needed, &count));

    EXPECT_FALSE(EnumDependentServicesA(stopper, SERVICE_ACTIVE, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(ControlService(stopper, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(status.dwCurrentState, SERVICE_STOPPED);
    EXPECT_EQ(sim->Requests().back(), "stop Main");

    for (SC_HANDLE handle : {stopper, reader, manager})
        CloseServiceHandle(handle);
}

TEST_F(ServiceManagerTest, DependentsListingFollowsTheMoreDataProtocol)
{
    sim->Service("Main").dependents = {"Web", "Idle", "Mail"};
    sim->AddService("Web", "Web Front End").status = SimulatedStatus(SERVICE_RUNNING);
    sim->AddService("Idle");
    sim->AddService("Mail", "Mail Relay").status = SimulatedStatus(SERVICE_STOP_PENDING, 3, 500);

    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, GENERIC_READ);
    SC_HANDLE service = OpenServiceA(manager, "Main", SERVICE_ENUMERATE_DEPENDENTS);
    DWORD needed = 0, count = 99;

    EXPECT_FALSE(EnumDependentServicesA(service, SERVICE_ACTIVE, nullptr, 0, &needed, &count));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MORE_DATA));
    EXPECT_EQ(count, 0u);
    const DWORD expected = 2 * sizeof(ENUM_SERVICE_STATUSA) + sizeof("Web") + sizeof("Web Front End") +
                           sizeof("Mail") + sizeof("Mail Relay");
    EXPECT_EQ(needed, expected);

    std::vector<ENUM_SERVICE_STATUSA> buffer(needed / sizeof(ENUM_SERVICE_STATUSA) + 1);
    EXPECT_FALSE(EnumDependentServicesA(service, SERVICE_ACTIVE, buffer.data(), needed - 1, &needed, &count));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MORE_DATA));

    ASSERT_TRUE(EnumDependentServicesA(service, SERVICE_ACTIVE, buffer.data(), needed, &needed, &count));
    ASSERT_EQ(count, 2u);
    const char* begin = reinterpret_cast<const char*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        EXPECT_GE(buffer[i].lpServiceName, begin + 2 * sizeof(ENUM_SERVICE_STATUSA));
        EXPECT_LT(buffer[i].lpDisplayName, begin + needed);
    }
    EXPECT_STREQ(buffer[0].lpServiceName, "Web");
    EXPECT_STREQ(buffer[0].lpDisplayName, "Web Front End");
    EXPECT_EQ(buffer[0].ServiceStatus.dwCurrentState, SERVICE_RUNNING);
    EXPECT_STREQ(buffer[1].lpServiceName, "Mail");
    EXPECT_EQ(buffer[1].ServiceStatus.dwWaitHint, 500u);

    ASSERT_TRUE(EnumDependentServicesA(service, SERVICE_INACTIVE, buffer.data(), needed, &needed, &count));
    ASSERT_EQ(count, 1u);
    EXPECT_STREQ(buffer[0].lpServiceName, "Idle");

    EXPECT_FALSE(EnumDependentServicesA(service, 4, buffer.data(), needed, &needed, &count));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
}

} // namespace
