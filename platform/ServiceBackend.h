#pragma once
// What a service manager must provide for the Windows-shaped calls of ServiceManager.h.
// Every operation returns ERROR_SUCCESS or the Win32 error code of its failure. The calls
// layer checks handles and access rights and packs records; a backend only talks to its
// service manager.

#include <memory>
#include <string>
#include <vector>

#include "platform/ServiceManager.h"

struct DependentService {
  std::string serviceName;
  std::string displayName;
  SERVICE_STATUS status;
};

// One opened service.
class ServiceConnection {
 public:
  virtual ~ServiceConnection() = default;
  virtual DWORD Start() = 0;
  // Asks the service to stop and fills status with its state after the request.
  virtual DWORD Stop(SERVICE_STATUS& status) = 0;
  virtual DWORD Query(SERVICE_STATUS& status) = 0;
  // Every service that depends on this one, directly or not, whatever its state, in an
  // order that stops a dependent before what it depends on.
  virtual DWORD Dependents(std::vector<DependentService>& dependents) = 0;
};

// One connection to the service manager.
class ManagerConnection {
 public:
  virtual ~ManagerConnection() = default;
  // access holds the specific rights asked for (generic rights already mapped).
  virtual DWORD OpenService(const std::string& serviceName, DWORD access,
                            std::unique_ptr<ServiceConnection>& service) = 0;
};

class ServiceControlBackend {
 public:
  virtual ~ServiceControlBackend() = default;
  virtual DWORD OpenManager(std::unique_ptr<ManagerConnection>& manager) = 0;
};
