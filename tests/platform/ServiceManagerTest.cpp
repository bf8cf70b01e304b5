#include <gtest/gtest.h>

#include <vector>

#include "platform/LastError.h"
#include "platform/ServiceManager.h"
#include "tests/support/SimulatedServiceManager.h"

namespace {

class ServiceManagerTest : public testing::Test {
 protected:
  void SetUp() override {
    sim->AddService("Main", "Main Service").status = SimulatedStatus(SERVICE_RUNNING);
    SetServiceControlBackend(sim);
    manager = OpenSCManagerA(nullptr, nullptr, GENERIC_READ);
    ASSERT_NE(manager, nullptr);
  }

  void TearDown() override {
    CloseServiceHandle(manager);
    SetServiceControlBackend(nullptr);
    EXPECT_EQ(OpenServiceHandleCount(), 0u);
  }

  // The call failed with `error` as the thread's last error.
  static void ExpectFailed(BOOL result, DWORD error) {
    EXPECT_FALSE(result);
    EXPECT_EQ(GetLastError(), error);
  }

  std::shared_ptr<SimulatedClock> clock = std::make_shared<SimulatedClock>();
  std::shared_ptr<SimulatedServiceManager> sim = std::make_shared<SimulatedServiceManager>(clock);
  SC_HANDLE manager = nullptr;
};

// An open handle outlives its backend, while no new one is given out.
TEST_F(ServiceManagerTest, AnOpenHandleOutlivesItsBackend) {
  SC_HANDLE service = OpenServiceA(manager, "Main", SERVICE_STOP | SERVICE_QUERY_STATUS);
  ASSERT_NE(service, nullptr);
  SetServiceControlBackend(nullptr);
  sim.reset();
  ExpectFailed(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT) != nullptr, RPC_S_SERVER_UNAVAILABLE);
  SERVICE_STATUS status{};
  EXPECT_TRUE(QueryServiceStatus(service, &status));
  EXPECT_EQ(status.dwCurrentState, SERVICE_RUNNING);
  EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
  EXPECT_EQ(status.dwCurrentState, SERVICE_STOPPED);
  EXPECT_TRUE(CloseServiceHandle(service));
}

// The listing's stop-pending dependent counts as active; a buffer shorter than the size asked
// for (as when a dependent started since) is refused rather than written past.
TEST_F(ServiceManagerTest, DependentsListingFollowsTheMoreDataProtocol) {
  sim->Service("Main").dependents = {"Web", "Mail"};
  sim->AddService("Web", "Web Front End").status = SimulatedStatus(SERVICE_RUNNING);
  sim->AddService("Mail", "Mail Relay").status = SimulatedStatus(SERVICE_STOP_PENDING, 3, 500);
  SC_HANDLE service = OpenServiceA(manager, "Main", SERVICE_ENUMERATE_DEPENDENTS);
  DWORD needed = 0, count = 0;

  ExpectFailed(EnumDependentServicesA(service, SERVICE_ACTIVE, nullptr, 0, &needed, &count), ERROR_MORE_DATA);
  EXPECT_EQ(needed, 2 * sizeof(ENUM_SERVICE_STATUSA) + sizeof("Web") + sizeof("Web Front End") +
                        sizeof("Mail") + sizeof("Mail Relay"));
  std::vector<ENUM_SERVICE_STATUSA> buffer(needed / sizeof(ENUM_SERVICE_STATUSA) + 1);
  ExpectFailed(EnumDependentServicesA(service, SERVICE_ACTIVE, buffer.data(), needed - 1, &needed, &count),
               ERROR_MORE_DATA);

  ASSERT_TRUE(EnumDependentServicesA(service, SERVICE_ACTIVE, buffer.data(), needed, &needed, &count));
  ASSERT_EQ(count, 2u);
  EXPECT_STREQ(buffer[0].lpServiceName, "Web");
  EXPECT_STREQ(buffer[1].lpServiceName, "Mail");
  // The texts lie between the entries and the end of the size asked for.
  EXPECT_EQ(buffer[0].lpServiceName, reinterpret_cast<char*>(&buffer[2]));
  EXPECT_EQ(buffer[1].lpDisplayName + sizeof("Mail Relay"), reinterpret_cast<char*>(buffer.data()) + needed);
  CloseServiceHandle(service);
}

}  // namespace
