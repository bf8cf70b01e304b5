#pragma once
// A stand-in for the Windows Service Control Manager calls: the same names, arguments,
// records and error codes, dispatched to the ServiceControlBackend that the program or a
// test installs. Failures return null or FALSE and set the thread's last error code.
//
// Handles are checked: a handle that was never issued, was closed already, or is of the
// wrong kind (a manager handle where a service handle is expected) fails with
// ERROR_INVALID_HANDLE. A service handle carries the rights it was opened with, and each
// call checks the right it needs (ERROR_ACCESS_DENIED otherwise), so a caller that asks
// for too little fails here as it would on Windows.

#include <cstddef>
#include <memory>

#include "platform/WinTypes.h"

class ServiceControlBackend;

struct SC_HANDLE__;
using SC_HANDLE = SC_HANDLE__*;

// Access rights: generic, manager, service.
inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;
inline constexpr DWORD GENERIC_EXECUTE = 0x20000000;
inline constexpr DWORD GENERIC_ALL = 0x10000000;
inline constexpr DWORD READ_CONTROL = 0x00020000;
inline constexpr DWORD STANDARD_RIGHTS_REQUIRED = 0x000F0000;

inline constexpr DWORD SC_MANAGER_CONNECT = 0x0001;

inline constexpr DWORD SERVICE_QUERY_CONFIG = 0x0001;
inline constexpr DWORD SERVICE_CHANGE_CONFIG = 0x0002;
inline constexpr DWORD SERVICE_QUERY_STATUS = 0x0004;
inline constexpr DWORD SERVICE_ENUMERATE_DEPENDENTS = 0x0008;
inline constexpr DWORD SERVICE_START = 0x0010;
inline constexpr DWORD SERVICE_STOP = 0x0020;
inline constexpr DWORD SERVICE_PAUSE_CONTINUE = 0x0040;
inline constexpr DWORD SERVICE_INTERROGATE = 0x0080;
inline constexpr DWORD SERVICE_USER_DEFINED_CONTROL = 0x0100;
inline constexpr DWORD SERVICE_ALL_ACCESS = 0xF01FF;

// Service types, states, controls and accepted controls.
inline constexpr DWORD SERVICE_WIN32_OWN_PROCESS = 0x10;

inline constexpr DWORD SERVICE_STOPPED = 1;
inline constexpr DWORD SERVICE_START_PENDING = 2;
inline constexpr DWORD SERVICE_STOP_PENDING = 3;
inline constexpr DWORD SERVICE_RUNNING = 4;
inline constexpr DWORD SERVICE_CONTINUE_PENDING = 5;
inline constexpr DWORD SERVICE_PAUSE_PENDING = 6;
inline constexpr DWORD SERVICE_PAUSED = 7;

inline constexpr DWORD SERVICE_CONTROL_STOP = 1;
inline constexpr DWORD SERVICE_ACCEPT_STOP = 1;

// The dependent states EnumDependentServicesA lists.
inline constexpr DWORD SERVICE_ACTIVE = 1;
inline constexpr DWORD SERVICE_INACTIVE = 2;
inline constexpr DWORD SERVICE_STATE_ALL = 3;

struct SERVICE_STATUS {
  DWORD dwServiceType;
  DWORD dwCurrentState;
  DWORD dwControlsAccepted;
  DWORD dwWin32ExitCode;
  DWORD dwServiceSpecificExitCode;
  DWORD dwCheckPoint;
  DWORD dwWaitHint;
};
using LPSERVICE_STATUS = SERVICE_STATUS*;

struct ENUM_SERVICE_STATUSA {
  LPSTR lpServiceName;
  LPSTR lpDisplayName;
  SERVICE_STATUS ServiceStatus;
};
using ENUM_SERVICE_STATUS = ENUM_SERVICE_STATUSA;
using LPENUM_SERVICE_STATUSA = ENUM_SERVICE_STATUSA*;

// Only the local machine (null or empty name) and its active database (null or
// "ServicesActive") exist.
SC_HANDLE OpenSCManagerA(LPCSTR machineName, LPCSTR databaseName, DWORD desiredAccess);
SC_HANDLE OpenServiceA(SC_HANDLE manager, LPCSTR serviceName, DWORD desiredAccess);
// Service arguments are not supported: the count must be 0.
BOOL StartServiceA(SC_HANDLE service, DWORD numServiceArgs, LPCSTR* serviceArgVectors);
// SERVICE_CONTROL_STOP is the one control; status receives the state after the request.
BOOL ControlService(SC_HANDLE service, DWORD control, LPSERVICE_STATUS status);
BOOL QueryServiceStatus(SC_HANDLE service, LPSERVICE_STATUS status);
// Fills the buffer with the entries followed by the texts they point to. When the buffer is
// too small, fails with ERROR_MORE_DATA and reports in bytesNeeded the size that will do.
BOOL EnumDependentServicesA(SC_HANDLE service, DWORD serviceState, LPENUM_SERVICE_STATUSA services,
                            DWORD bufSize, LPDWORD bytesNeeded, LPDWORD servicesReturned);
BOOL CloseServiceHandle(SC_HANDLE handle);

// Installs the backend that later OpenSCManagerA calls reach; with none installed, opening
// the manager fails with RPC_S_SERVER_UNAVAILABLE. Handles already open keep their backend.
void SetServiceControlBackend(std::shared_ptr<ServiceControlBackend> backend);

// How many manager and service handles are open now.
std::size_t OpenServiceHandleCount();
