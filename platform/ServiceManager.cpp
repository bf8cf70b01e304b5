#include "platform/ServiceManager.h"

#include <cstring>
#include <limits>
#include <mutex>
#include <string_view>

#include "platform/LastError.h"
#include "platform/ServiceBackend.h"
#include "platform/ServiceHandleTable.h"

namespace {

std::mutex backendMutex;
std::shared_ptr<ServiceControlBackend> installedBackend;

ServiceHandleTable& Handles() {
  static ServiceHandleTable table;
  return table;
}

std::shared_ptr<ServiceControlBackend> CurrentBackend() {
  std::lock_guard lock(backendMutex);
  return installedBackend;
}

BOOL Fail(DWORD errorCode) {
  SetLastError(errorCode);
  return FALSE;
}

BOOL Result(DWORD errorCode) { return errorCode == ERROR_SUCCESS ? TRUE : Fail(errorCode); }

bool IsEmpty(LPCSTR text) { return text == nullptr || *text == '\0'; }

// The specific service rights that generic rights stand for.
DWORD MapServiceAccess(DWORD desired) {
  DWORD access = desired & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL);
  if (desired & GENERIC_READ)
    access |= READ_CONTROL | SERVICE_QUERY_CONFIG | SERVICE_QUERY_STATUS | SERVICE_INTERROGATE |
              SERVICE_ENUMERATE_DEPENDENTS;
  if (desired & GENERIC_WRITE) access |= READ_CONTROL | SERVICE_CHANGE_CONFIG;
  if (desired & GENERIC_EXECUTE)
    access |=
        READ_CONTROL | SERVICE_START | SERVICE_STOP | SERVICE_PAUSE_CONTINUE | SERVICE_USER_DEFINED_CONTROL;
  if (desired & GENERIC_ALL) access |= SERVICE_ALL_ACCESS;
  return access;
}

std::shared_ptr<ServiceHandleEntry> FindManager(SC_HANDLE handle) {
  auto entry = Handles().Find(handle);
  if (!entry || !entry->manager) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return entry;
}

// The service behind handle when it was opened with the right needed; null (with the last
// error set) otherwise.
std::shared_ptr<ServiceHandleEntry> FindService(SC_HANDLE handle, DWORD rightNeeded) {
  auto entry = Handles().Find(handle);
  if (!entry || !entry->service) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if ((entry->access & rightNeeded) != rightNeeded) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return entry;
}

bool InStateAsked(DWORD currentState, DWORD serviceState) {
  const DWORD category = currentState == SERVICE_STOPPED ? SERVICE_INACTIVE : SERVICE_ACTIVE;
  return (serviceState & category) != 0;
}

std::size_t PackedSize(const std::vector<DependentService>& dependents) {
  std::size_t size = dependents.size() * sizeof(ENUM_SERVICE_STATUSA);
  for (const DependentService& dependent : dependents)
    size += dependent.serviceName.size() + 1 + dependent.displayName.size() + 1;
  return size;
}

// Writes the entries at the start of the buffer and their texts right after them.
void Pack(const std::vector<DependentService>& dependents, LPENUM_SERVICE_STATUSA services) {
  char* text = reinterpret_cast<char*>(services + dependents.size());
  const auto copyText = [&text](const std::string& value) {
    char* start = text;
    std::memcpy(text, value.c_str(), value.size() + 1);
    text += value.size() + 1;
    return start;
  };
  for (std::size_t i = 0; i < dependents.size(); ++i) {
    services[i].lpServiceName = copyText(dependents[i].serviceName);
    services[i].lpDisplayName = copyText(dependents[i].displayName);
    services[i].ServiceStatus = dependents[i].status;
  }
}

}  // namespace

void SetServiceControlBackend(std::shared_ptr<ServiceControlBackend> backend) {
  std::lock_guard lock(backendMutex);
  installedBackend = std::move(backend);
}

std::size_t OpenServiceHandleCount() { return Handles().Count(); }

SC_HANDLE OpenSCManagerA(LPCSTR machineName, LPCSTR databaseName, DWORD /*desiredAccess*/) {
  if (!IsEmpty(machineName)) {
    SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return nullptr;
  }
  if (!IsEmpty(databaseName) && std::string_view(databaseName) != "ServicesActive") {
    SetLastError(ERROR_DATABASE_DOES_NOT_EXIST);
    return nullptr;
  }
  auto entry = std::make_shared<ServiceHandleEntry>();
  entry->backend = CurrentBackend();
  if (!entry->backend) {
    SetLastError(RPC_S_SERVER_UNAVAILABLE);
    return nullptr;
  }
  if (const DWORD error = entry->backend->OpenManager(entry->manager)) {
    SetLastError(error);
    return nullptr;
  }
  return Handles().Add(std::move(entry));
}

SC_HANDLE OpenServiceA(SC_HANDLE manager, LPCSTR serviceName, DWORD desiredAccess) {
  const auto managerEntry = FindManager(manager);
  if (!managerEntry) return nullptr;
  if (IsEmpty(serviceName)) {
    SetLastError(ERROR_INVALID_NAME);
    return nullptr;
  }
  auto entry = std::make_shared<ServiceHandleEntry>();
  entry->backend = managerEntry->backend;
  entry->access = MapServiceAccess(desiredAccess);
  if (const DWORD error = managerEntry->manager->OpenService(serviceName, entry->access, entry->service)) {
    SetLastError(error);
    return nullptr;
  }
  return Handles().Add(std::move(entry));
}

BOOL StartServiceA(SC_HANDLE service, DWORD numServiceArgs, LPCSTR* /*serviceArgVectors*/) {
  const auto entry = FindService(service, SERVICE_START);
  if (!entry) return FALSE;
  if (numServiceArgs != 0) return Fail(ERROR_INVALID_PARAMETER);
  return Result(entry->service->Start());
}

BOOL ControlService(SC_HANDLE service, DWORD control, LPSERVICE_STATUS status) {
  if (status == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  if (control != SERVICE_CONTROL_STOP) return Fail(ERROR_INVALID_SERVICE_CONTROL);
  const auto entry = FindService(service, SERVICE_STOP);
  if (!entry) return FALSE;
  return Result(entry->service->Stop(*status));
}

BOOL QueryServiceStatus(SC_HANDLE service, LPSERVICE_STATUS status) {
  if (status == nullptr) return Fail(ERROR_INVALID_PARAMETER);
  const auto entry = FindService(service, SERVICE_QUERY_STATUS);
  if (!entry) return FALSE;
  return Result(entry->service->Query(*status));
}

BOOL EnumDependentServicesA(SC_HANDLE service, DWORD serviceState, LPENUM_SERVICE_STATUSA services,
                            DWORD bufSize, LPDWORD bytesNeeded, LPDWORD servicesReturned) {
  if (bytesNeeded == nullptr || servicesReturned == nullptr || serviceState == 0 ||
      (serviceState & ~SERVICE_STATE_ALL) != 0)
    return Fail(ERROR_INVALID_PARAMETER);
  const auto entry = FindService(service, SERVICE_ENUMERATE_DEPENDENTS);
  if (!entry) return FALSE;

  std::vector<DependentService> all;
  if (const DWORD error = entry->service->Dependents(all)) return Fail(error);
  std::vector<DependentService> asked;
  for (DependentService& dependent : all)
    if (InStateAsked(dependent.status.dwCurrentState, serviceState)) asked.push_back(std::move(dependent));

  const std::size_t needed = PackedSize(asked);
  if (needed > std::numeric_limits<DWORD>::max()) return Fail(ERROR_NOT_ENOUGH_MEMORY);
  *servicesReturned = 0;
  *bytesNeeded = static_cast<DWORD>(needed);
  if (needed > bufSize || (needed > 0 && services == nullptr)) return Fail(ERROR_MORE_DATA);
  Pack(asked, services);
  *servicesReturned = static_cast<DWORD>(asked.size());
  return TRUE;
}

BOOL CloseServiceHandle(SC_HANDLE handle) {
  return Handles().Remove(handle) ? TRUE : Fail(ERROR_INVALID_HANDLE);
}
