#pragma once
// Starting, stopping and watching the FTP server's service through the service-manager
// stand-in. The routines block while they wait, sleeping and reading the time through
// platform/Clock.h; they write a few diagnostic lines to standard output.

#include <optional>

#include "platform/WinTypes.h"

inline constexpr const char* kFtpServiceName = "Veltrane Server";

// Starts the service and waits while it reports start pending and keeps advancing its check
// point. 0 once it runs; 1 when the manager or the service cannot be opened, the start is
// refused or the first status query fails; otherwise the error code of the failure, or
// ERROR_SERVICE_REQUEST_TIMEOUT when the service ended in another state without one.
DWORD StartFtpService();

// Stops the service, its active dependents first when stopDependents is non-zero, all within
// timeoutMs from the call. 0 once stopped (also when it already was); 1 when the manager or
// the service cannot be opened; ERROR_TIMEOUT when the time runs out; otherwise the error
// code of the call that failed.
DWORD StopFtpService(int stopDependents, DWORD timeoutMs);

// The service's current state (SERVICE_STATUS::dwCurrentState), or nothing when the manager
// or the service cannot be opened or queried.
std::optional<DWORD> QueryFtpServiceState();
