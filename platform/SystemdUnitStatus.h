#pragma once
// How a systemd unit's state reads as a Windows service status.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ServiceManager.h"

// What is read of one unit: from its Unit interface, and from its Service interface where
// it has one (the fields keep their defaults otherwise).
struct SystemdUnit {
  std::string id;
  std::string description;
  std::string loadState;
  std::string activeState;
  std::string subState;
  std::uint32_t jobId = 0;
  std::vector<std::string> requiredBy;
  std::vector<std::string> boundBy;
  std::uint64_t timeoutStartUSec = 0;
  std::uint64_t timeoutStopUSec = 0;
  std::int32_t execMainStatus = 0;
};

// The wait hint used when a unit has no time-out (0 or infinity): systemd's default.
inline constexpr DWORD kSystemdDefaultTimeoutMs = 90000;

// activating → start pending; deactivating → stop pending; active, reloading → running;
// inactive, failed → stopped, or start pending while a job for the unit is queued (a start
// waiting its turn); anything else → 0 (unknown).
DWORD ServiceStateOfUnit(const SystemdUnit& unit);

// The whole status: the wait hint is the start or stop time-out of a pending unit; a failed
// unit reports ERROR_SERVICE_SPECIFIC_ERROR with its main process's exit status.
SERVICE_STATUS StatusOfUnit(const SystemdUnit& unit, DWORD checkPoint);

// Tells whether a pending unit made progress since the last look, to advance the check
// point: every change of state, sub-state or job while pending counts as a step.
class SystemdProgress {
 public:
  DWORD CheckPoint(const SystemdUnit& unit);

 private:
  std::string m_lastSeen;
  DWORD m_checkPoint = 0;
};
