#include "platform/SystemdServiceBackend.h"

#include <set>

#include "platform/SystemdBus.h"
#include "platform/SystemdUnitStatus.h"

namespace {

constexpr const char* kSystemd = "org.freedesktop.systemd1";
constexpr const char* kManagerPath = "/org/freedesktop/systemd1";
constexpr const char* kManagerInterface = "org.freedesktop.systemd1.Manager";
constexpr const char* kUnitInterface = "org.freedesktop.systemd1.Unit";
constexpr const char* kServiceInterface = "org.freedesktop.systemd1.Service";

bool EndsWith(const std::string& text, const std::string& suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The unit's object path, loading the unit if systemd has not.
DWORD LoadUnit(SystemdBus& bus, const std::string& name, std::string& path) {
  return bus.CallForObjectPath(kSystemd, kManagerPath, kManagerInterface, "LoadUnit", {name}, path);
}

DWORD ReadUnit(SystemdBus& bus, const std::string& path, SystemdUnit& unit) {
  const DWORD error = bus.ReadProperties(
      kSystemd, path, kUnitInterface,
      {StringProperty("Id", unit.id), StringProperty("Description", unit.description),
       StringProperty("LoadState", unit.loadState), StringProperty("ActiveState", unit.activeState),
       StringProperty("SubState", unit.subState), JobIdProperty("Job", unit.jobId),
       StringListProperty("RequiredBy", unit.requiredBy), StringListProperty("BoundBy", unit.boundBy)});
  // Only services have time-outs and a main process; other units keep the defaults.
  if (error != ERROR_SUCCESS || !EndsWith(unit.id, ".service")) return error;
  return bus.ReadProperties(kSystemd, path, kServiceInterface,
                            {UInt64Property("TimeoutStartUSec", unit.timeoutStartUSec),
                             UInt64Property("TimeoutStopUSec", unit.timeoutStopUSec),
                             Int32Property("ExecMainStatus", unit.execMainStatus)});
}

// Appends the units that depend on unit, each after the units that depend on it in turn.
DWORD CollectDependents(SystemdBus& bus, const SystemdUnit& unit, std::set<std::string>& seen,
                        std::vector<DependentService>& dependents) {
  std::vector<std::string> names = unit.requiredBy;
  names.insert(names.end(), unit.boundBy.begin(), unit.boundBy.end());
  for (const std::string& name : names) {
    if (!seen.insert(name).second) continue;
    std::string path;
    SystemdUnit dependent;
    if (DWORD error = LoadUnit(bus, name, path); error || (error = ReadUnit(bus, path, dependent)))
      return error;
    if (const DWORD error = CollectDependents(bus, dependent, seen, dependents)) return error;
    const std::string& displayName = dependent.description.empty() ? dependent.id : dependent.description;
    dependents.push_back({dependent.id, displayName, StatusOfUnit(dependent, 0)});
  }
  return ERROR_SUCCESS;
}

class SystemdServiceConnection final : public ServiceConnection {
 public:
  SystemdServiceConnection(std::shared_ptr<SystemdBus> bus, std::string unitName, std::string path)
      : m_bus(std::move(bus)), m_unitName(std::move(unitName)), m_path(std::move(path)) {}

  DWORD Start() override {
    SERVICE_STATUS now{};
    if (const DWORD error = Query(now)) return error;
    if (now.dwCurrentState != SERVICE_STOPPED) return ERROR_SERVICE_ALREADY_RUNNING;
    return m_bus->Call(kSystemd, kManagerPath, kManagerInterface, "StartUnit", {m_unitName, "replace"});
  }

  DWORD Stop(SERVICE_STATUS& status) override {
    SERVICE_STATUS now{};
    if (const DWORD error = Query(now)) return error;
    if (now.dwCurrentState == SERVICE_STOPPED) return ERROR_SERVICE_NOT_ACTIVE;
    if (const DWORD error =
            m_bus->Call(kSystemd, kManagerPath, kManagerInterface, "StopUnit", {m_unitName, "replace"}))
      return error;
    return Query(status);
  }

  DWORD Query(SERVICE_STATUS& status) override {
    SystemdUnit unit;
    if (const DWORD error = ReadUnit(*m_bus, m_path, unit)) return error;
    status = StatusOfUnit(unit, m_progress.CheckPoint(unit));
    return ERROR_SUCCESS;
  }

  DWORD Dependents(std::vector<DependentService>& dependents) override {
    SystemdUnit unit;
    if (const DWORD error = ReadUnit(*m_bus, m_path, unit)) return error;
    std::set<std::string> seen{unit.id, m_unitName};
    return CollectDependents(*m_bus, unit, seen, dependents);
  }

 private:
  std::shared_ptr<SystemdBus> m_bus;
  std::string m_unitName;
  std::string m_path;
  SystemdProgress m_progress;
};

class SystemdManagerConnection final : public ManagerConnection {
 public:
  SystemdManagerConnection(std::shared_ptr<SystemdBus> bus, std::map<std::string, std::string> serviceUnits)
      : m_bus(std::move(bus)), m_serviceUnits(std::move(serviceUnits)) {}

  DWORD OpenService(const std::string& serviceName, DWORD /*access*/,
                    std::unique_ptr<ServiceConnection>& service) override {
    const auto mapped = m_serviceUnits.find(serviceName);
    const std::string& unitName = mapped == m_serviceUnits.end() ? serviceName : mapped->second;
    std::string path;
    SystemdUnit unit;
    if (DWORD error = LoadUnit(*m_bus, unitName, path); error || (error = ReadUnit(*m_bus, path, unit)))
      return error;
    if (unit.loadState == "not-found") return ERROR_SERVICE_DOES_NOT_EXIST;
    service = std::make_unique<SystemdServiceConnection>(m_bus, unitName, path);
    return ERROR_SUCCESS;
  }

 private:
  std::shared_ptr<SystemdBus> m_bus;
  std::map<std::string, std::string> m_serviceUnits;
};

}  // namespace

SystemdServiceBackend::SystemdServiceBackend(std::map<std::string, std::string> serviceUnits,
                                             std::chrono::microseconds callTimeout)
    : m_serviceUnits(std::move(serviceUnits)), m_callTimeout(callTimeout) {}

bool SystemdServiceBackend::SystemBusAnswers(std::chrono::microseconds timeout) {
  std::shared_ptr<SystemdBus> bus;
  return SystemdBus::Open(timeout, bus) == ERROR_SUCCESS &&
         bus->Call("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus", "GetId", {}) ==
             ERROR_SUCCESS;
}

DWORD SystemdServiceBackend::OpenManager(std::unique_ptr<ManagerConnection>& manager) {
  std::shared_ptr<SystemdBus> bus;
  if (const DWORD error = SystemdBus::Open(m_callTimeout, bus)) return error;
  // Any answer from systemd itself shows it is there; without it the bus says no one owns the name.
  if (const DWORD error = bus->Call(kSystemd, kManagerPath, "org.freedesktop.DBus.Peer", "Ping", {}))
    return error == DWORD(ERROR_SERVICE_REQUEST_TIMEOUT) ? error : DWORD(RPC_S_SERVER_UNAVAILABLE);
  manager = std::make_unique<SystemdManagerConnection>(bus, m_serviceUnits);
  return ERROR_SUCCESS;
}
