#include "service/FtpServiceControl.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <new>
#include <vector>

#include "platform/Clock.h"
#include "platform/LastError.h"
#include "platform/ServiceManager.h"
#include "service/ScopedServiceHandle.h"

namespace {

constexpr DWORD kStopAccess = SERVICE_STOP | SERVICE_QUERY_STATUS | SERVICE_ENUMERATE_DEPENDENTS;
constexpr DWORD kDependentStopAccess = SERVICE_STOP | SERVICE_QUERY_STATUS;
constexpr DWORD kMinPendingSleepMs = 1000;
constexpr DWORD kMaxPendingSleepMs = 10000;

// How long to sleep between status queries of a pending service: a tenth of its wait hint,
// within bounds, so a hint of 0 does not spin and a huge one does not freeze the caller.
DWORD PendingSleepMs(DWORD waitHint) {
  return std::clamp(waitHint / 10, kMinPendingSleepMs, kMaxPendingSleepMs);
}

// The time-out of a whole stop, counted from the moment the stop began.
class StopDeadline {
 public:
  StopDeadline(DWORD startTick, DWORD timeoutMs) : m_startTick(startTick), m_timeoutMs(timeoutMs) {}

  bool Passed() const { return Elapsed() > m_timeoutMs; }

  // Sleeps as the wait hint suggests, but no longer than it takes for the deadline to pass.
  void SleepFor(DWORD waitHint) const {
    const DWORD elapsed = Elapsed();
    if (elapsed > m_timeoutMs) return;
    const std::uint64_t untilPassed = std::uint64_t(m_timeoutMs - elapsed) + 1;
    Sleep(static_cast<DWORD>(std::min<std::uint64_t>(PendingSleepMs(waitHint), untilPassed)));
  }

 private:
  DWORD Elapsed() const { return GetTickCount() - m_startTick; }

  DWORD m_startTick;
  DWORD m_timeoutMs;
};

bool IsStopPending(DWORD state) { return state == SERVICE_STOP_PENDING; }
bool IsNotStopped(DWORD state) { return state != SERVICE_STOPPED; }

// Sleeps and queries while keepWaiting(state) holds. ERROR_SUCCESS once the service stopped or
// no longer needs waiting for; the error code of a failed query; ERROR_TIMEOUT when the
// deadline passes first.
DWORD WaitForStop(SC_HANDLE service, SERVICE_STATUS& status, const StopDeadline& deadline,
                  bool (*keepWaiting)(DWORD state)) {
  while (keepWaiting(status.dwCurrentState)) {
    deadline.SleepFor(status.dwWaitHint);
    if (!QueryServiceStatus(service, &status)) return GetLastError();
    if (status.dwCurrentState == SERVICE_STOPPED) return ERROR_SUCCESS;
    if (deadline.Passed()) return ERROR_TIMEOUT;
  }
  return ERROR_SUCCESS;
}

// Sends the stop control and waits until the service has stopped. A service that stopped
// by itself since it was last seen running counts as stopped.
DWORD StopAndWait(SC_HANDLE service, SERVICE_STATUS& status, const StopDeadline& deadline) {
  if (!ControlService(service, SERVICE_CONTROL_STOP, &status))
    return GetLastError() == DWORD(ERROR_SERVICE_NOT_ACTIVE) ? DWORD(ERROR_SUCCESS) : GetLastError();
  return WaitForStop(service, status, deadline, IsNotStopped);
}

// The active dependents of service, read with the two-call protocol: first for the size,
// then into a buffer of that size.
DWORD ListActiveDependents(SC_HANDLE service, std::vector<ENUM_SERVICE_STATUSA>& buffer, DWORD& count) {
  DWORD bytesNeeded = 0;
  count = 0;
  if (EnumDependentServicesA(service, SERVICE_ACTIVE, nullptr, 0, &bytesNeeded, &count)) return ERROR_SUCCESS;
  if (GetLastError() != DWORD(ERROR_MORE_DATA)) return GetLastError();
  try {
    buffer.assign(bytesNeeded / sizeof(ENUM_SERVICE_STATUSA) + 1, ENUM_SERVICE_STATUSA{});
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
  if (!EnumDependentServicesA(service, SERVICE_ACTIVE, buffer.data(), bytesNeeded, &bytesNeeded, &count))
    return GetLastError();
  return ERROR_SUCCESS;
}

// Stops each active dependent in the order listed, waiting for one before the next.
DWORD StopDependents(SC_HANDLE manager, SC_HANDLE service, const StopDeadline& deadline) {
  std::vector<ENUM_SERVICE_STATUSA> buffer;
  DWORD count = 0;
  if (const DWORD error = ListActiveDependents(service, buffer, count)) return error;
  for (DWORD i = 0; i < count; ++i) {
    ScopedServiceHandle dependent(OpenServiceA(manager, buffer[i].lpServiceName, kDependentStopAccess));
    if (!dependent) return GetLastError();
    SERVICE_STATUS status{};
    if (const DWORD error = StopAndWait(dependent.get(), status, deadline)) return error;
  }
  return ERROR_SUCCESS;
}

// Waits while the service reports start pending, for as long as its check point advances
// within each wait hint. status holds the last state read.
void WaitWhileStartPending(SC_HANDLE service, SERVICE_STATUS& status) {
  DWORD waitStart = GetTickCount();
  DWORD lastCheckPoint = status.dwCheckPoint;
  while (status.dwCurrentState == SERVICE_START_PENDING) {
    Sleep(PendingSleepMs(status.dwWaitHint));
    if (!QueryServiceStatus(service, &status)) return;
    if (status.dwCheckPoint > lastCheckPoint) {
      waitStart = GetTickCount();
      lastCheckPoint = status.dwCheckPoint;
    } else if (GetTickCount() - waitStart > status.dwWaitHint) {
      return;
    }
  }
}

void PrintNotStarted(const SERVICE_STATUS& status) {
  std::printf("\nService not started. \n");
  std::printf("  Current State: %d\n", static_cast<int>(status.dwCurrentState));
  std::printf("  Exit Code: %d\n", static_cast<int>(status.dwWin32ExitCode));
  std::printf("  Service Specific Exit Code: %d\n", static_cast<int>(status.dwServiceSpecificExitCode));
  std::printf("  Check Point: %d\n", static_cast<int>(status.dwCheckPoint));
  std::printf("  Wait Hint: %d\n", static_cast<int>(status.dwWaitHint));
  std::fflush(stdout);
}

void Print(const char* line) {
  std::fputs(line, stdout);
  std::fflush(stdout);
}

}  // namespace

DWORD StartFtpService() {
  // Only a failure during this start may decide its result, not one left from before.
  SetLastError(ERROR_SUCCESS);
  ScopedServiceHandle manager(OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
  if (!manager) return 1;
  ScopedServiceHandle service(OpenServiceA(manager.get(), kFtpServiceName, SERVICE_ALL_ACCESS));
  if (!service || !StartServiceA(service.get(), 0, nullptr)) return 1;
  Print("Service start pending.\n");

  SERVICE_STATUS status{};
  if (!QueryServiceStatus(service.get(), &status)) return 1;
  WaitWhileStartPending(service.get(), status);
  if (status.dwCurrentState == SERVICE_RUNNING) {
    Print("StartService SUCCESS.\n");
    return ERROR_SUCCESS;
  }
  PrintNotStarted(status);
  const DWORD error = GetLastError();
  return error != DWORD(ERROR_SUCCESS) ? error : DWORD(ERROR_SERVICE_REQUEST_TIMEOUT);
}

DWORD StopFtpService(int stopDependents, DWORD timeoutMs) {
  const StopDeadline deadline(GetTickCount(), timeoutMs);
  ScopedServiceHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return 1;
  ScopedServiceHandle service(OpenServiceA(manager.get(), kFtpServiceName, kStopAccess));
  if (!service) return 1;

  SERVICE_STATUS status{};
  if (!QueryServiceStatus(service.get(), &status)) return GetLastError();
  if (const DWORD error = WaitForStop(service.get(), status, deadline, IsStopPending)) return error;
  if (status.dwCurrentState == SERVICE_STOPPED) return ERROR_SUCCESS;

  if (stopDependents != 0) {
    if (const DWORD error = StopDependents(manager.get(), service.get(), deadline)) return error;
  }
  return StopAndWait(service.get(), status, deadline);
}

std::optional<DWORD> QueryFtpServiceState() {
  ScopedServiceHandle manager(OpenSCManagerA(nullptr, nullptr, GENERIC_READ));
  if (!manager) return std::nullopt;
  ScopedServiceHandle service(OpenServiceA(manager.get(), kFtpServiceName, GENERIC_READ));
  SERVICE_STATUS status{};
  if (!service || !QueryServiceStatus(service.get(), &status)) return std::nullopt;
  return status.dwCurrentState;
}
