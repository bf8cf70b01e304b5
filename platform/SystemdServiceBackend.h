#pragma once
// The service manager over systemd, through its D-Bus interface on the system bus: a service
// is a unit, started and stopped by the manager's jobs. Its state is read from the unit (see
// SystemdUnitStatus.h); the wait hint of a pending unit is its start or stop time-out, so a
// unit with TimeoutStartSec=10s makes a waiting caller look again every second or so.
// A service's active dependents are the active units that require it or are bound to it,
// directly or through other units, those furthest down listed first.
//
// Every D-Bus call, and the making of the connection, is bounded by a short time-out, so a
// manager that does not answer holds its caller no longer than that and then counts as one
// that cannot be opened: opening it fails with ERROR_SERVICE_REQUEST_TIMEOUT. Where no system
// bus or no systemd is there at all, it fails with RPC_S_SERVER_UNAVAILABLE.

#include <chrono>
#include <map>
#include <string>

#include "platform/ServiceBackend.h"

class SystemdServiceBackend final : public ServiceControlBackend {
 public:
  // A manager answers in milliseconds; two seconds leave room for a loaded machine.
  static constexpr std::chrono::seconds kDefaultCallTimeout{2};

  // serviceUnits maps service names to the units that stand for them; any other name is
  // taken as a unit name itself.
  explicit SystemdServiceBackend(std::map<std::string, std::string> serviceUnits,
                                 std::chrono::microseconds callTimeout = kDefaultCallTimeout);

  // Whether a system bus accepts a connection and answers within the time-out.
  static bool SystemBusAnswers(std::chrono::microseconds timeout = kDefaultCallTimeout);

  DWORD OpenManager(std::unique_ptr<ManagerConnection>& manager) override;

 private:
  std::map<std::string, std::string> m_serviceUnits;
  std::chrono::microseconds m_callTimeout;
};
