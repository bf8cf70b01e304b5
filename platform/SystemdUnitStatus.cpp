#include "platform/SystemdUnitStatus.h"

#include <algorithm>
#include <limits>

namespace {

DWORD TimeoutMs(std::uint64_t usec) {
  if (usec == 0 || usec == std::numeric_limits<std::uint64_t>::max()) return kSystemdDefaultTimeoutMs;
  return static_cast<DWORD>(std::min<std::uint64_t>(usec / 1000, std::numeric_limits<DWORD>::max()));
}

bool IsPending(DWORD state) { return state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING; }

}  // namespace

DWORD ServiceStateOfUnit(const SystemdUnit& unit) {
  const std::string& state = unit.activeState;
  if (state == "activating") return SERVICE_START_PENDING;
  if (state == "deactivating") return SERVICE_STOP_PENDING;
  if (state == "active" || state == "reloading") return SERVICE_RUNNING;
  if (state == "inactive" || state == "failed")
    return unit.jobId != 0 ? SERVICE_START_PENDING : SERVICE_STOPPED;
  return 0;
}

SERVICE_STATUS StatusOfUnit(const SystemdUnit& unit, DWORD checkPoint) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = ServiceStateOfUnit(unit);
  status.dwControlsAccepted = status.dwCurrentState == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  if (status.dwCurrentState == SERVICE_STOPPED && unit.activeState == "failed") {
    status.dwWin32ExitCode = ERROR_SERVICE_SPECIFIC_ERROR;
    status.dwServiceSpecificExitCode = static_cast<DWORD>(unit.execMainStatus);
  }
  if (status.dwCurrentState == SERVICE_START_PENDING)
    status.dwWaitHint = TimeoutMs(unit.timeoutStartUSec);
  else if (status.dwCurrentState == SERVICE_STOP_PENDING)
    status.dwWaitHint = TimeoutMs(unit.timeoutStopUSec);
  status.dwCheckPoint = IsPending(status.dwCurrentState) ? checkPoint : 0;
  return status;
}

DWORD SystemdProgress::CheckPoint(const SystemdUnit& unit) {
  if (!IsPending(ServiceStateOfUnit(unit))) {
    m_lastSeen.clear();
    return 0;
  }
  std::string seen = unit.activeState + '/' + unit.subState + '/' + std::to_string(unit.jobId);
  if (seen != m_lastSeen) {
    m_lastSeen = std::move(seen);
    ++m_checkPoint;
  }
  return m_checkPoint;
}
