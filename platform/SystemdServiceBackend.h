#pragma once
// The service manager over systemd, through its D-Bus interface on the system bus: a service
// is a unit, started and stopped by the manager's jobs. Its state is read from the unit (see
// SystemdUnitStatus.h); the wait hint of a pending unit is its start or stop time-out, so a
// unit with TimeoutStartSec=10s makes a waiting caller look again every second or so.
// A service's active dependents are the active units that require it or are bound to it,
// directly or through other units, those furthest down listed first.
//
// Every D-Bus call is bounded by a time-out. Where no system bus or no systemd answers,
// opening the manager fails with RPC_S_SERVER_UNAVAILABLE.

#include <chrono>
#include <map>
#include <string>

#include "platform/ServiceBackend.h"

class SystemdServiceBackend final : public ServiceControlBackend {
public:
    static constexpr std::chrono::seconds kDefaultCallTimeout{5};

    // serviceUnits maps service names to the units that stand for them; any other name is
    // taken as a unit name itself.
    explicit SystemdServiceBackend(std::map<std::string, std::string> serviceUnits,
                                   std::chrono::microseconds callTimeout = kDefaultCallTimeout);

    // Whether a system bus accepts a connection and answers within the time-out.
    static bool SystemBusAnswers(std::chrono::microseconds timeout = kDefaultCallTimeout);

    DWORD OpenManager(std::unique_ptr<ManagerConnection>& manager) override;

private:
    std::map<std::string, std::string> serviceUnits_;
    std::chrono::microseconds callTimeout_;
};
