#include "tests/support/SimulatedServiceManager.h"

#include <stdexcept>

// The manager as opened (without a name) and each service as opened (with its name).
class SimulatedServiceManager::Connection final : public ManagerConnection, public ServiceConnection {
 public:
  explicit Connection(SimulatedServiceManager& manager, std::string name = {})
      : m_manager(manager), m_name(std::move(name)) {}

  DWORD OpenService(const std::string& serviceName, DWORD /*access*/,
                    std::unique_ptr<ServiceConnection>& service) override {
    m_manager.m_requests.push_back("open " + serviceName);
    const auto found = m_manager.m_services.find(serviceName);
    if (found == m_manager.m_services.end()) return ERROR_SERVICE_DOES_NOT_EXIST;
    if (found->second.openError != ERROR_SUCCESS) return found->second.openError;
    service = std::make_unique<Connection>(m_manager, serviceName);
    return ERROR_SUCCESS;
  }

  DWORD Start() override {
    if (const DWORD error = Request("start", Service().startError)) return error;
    if (Status().dwCurrentState != SERVICE_STOPPED) return ERROR_SERVICE_ALREADY_RUNNING;
    m_manager.Schedule(m_name, Service().afterStart, SERVICE_RUNNING);
    return ERROR_SUCCESS;
  }
  DWORD Stop(SERVICE_STATUS& status) override {
    if (const DWORD error = Request("stop", Service().stopError)) return error;
    if (Status().dwCurrentState == SERVICE_STOPPED) return ERROR_SERVICE_NOT_ACTIVE;
    m_manager.Schedule(m_name, Service().afterStop, SERVICE_STOPPED);
    status = Status();
    return ERROR_SUCCESS;
  }
  DWORD Query(SERVICE_STATUS& status) override {
    if (const DWORD error = Service().queryError) return error;
    status = Status();
    return ERROR_SUCCESS;
  }
  DWORD Dependents(std::vector<DependentService>& dependents) override {
    if (const DWORD error = Request("dependents", Service().dependentsError)) return error;
    for (const std::string& name : Service().dependents)
      dependents.push_back({name, m_manager.Service(name).displayName, m_manager.CurrentStatus(name)});
    return ERROR_SUCCESS;
  }

 private:
  SimulatedService& Service() { return m_manager.Service(m_name); }
  const SERVICE_STATUS& Status() { return m_manager.CurrentStatus(m_name); }
  // Records the request, and answers the failure the test chose for it.
  DWORD Request(const std::string& what, DWORD error) {
    m_manager.m_requests.push_back(what + " " + m_name);
    return error;
  }

  SimulatedServiceManager& m_manager;
  std::string m_name;
};

SERVICE_STATUS SimulatedStatus(DWORD state, DWORD checkPoint, DWORD waitHint) {
  const DWORD accepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  return {SERVICE_WIN32_OWN_PROCESS, state, accepted, ERROR_SUCCESS, 0, checkPoint, waitHint};
}

SimulatedService& SimulatedServiceManager::AddService(const std::string& name,
                                                      const std::string& displayName) {
  SimulatedService& service = m_services[name];
  service.displayName = displayName.empty() ? name : displayName;
  return service;
}

SimulatedService& SimulatedServiceManager::Service(const std::string& name) {
  const auto found = m_services.find(name);
  if (found == m_services.end()) throw std::out_of_range("no simulated service named " + name);
  return found->second;
}

DWORD SimulatedServiceManager::OpenManager(std::unique_ptr<ManagerConnection>& manager) {
  if (openManagerError != ERROR_SUCCESS) return openManagerError;
  manager = std::make_unique<Connection>(*this);
  return ERROR_SUCCESS;
}

void SimulatedServiceManager::Schedule(const std::string& name, const std::vector<SimulatedStep>& steps,
                                       DWORD endState) {
  Timeline& timeline = m_timelines[name] = {m_clock->TickCount(), {steps.begin(), steps.end()}};
  if (steps.empty()) timeline.steps.push_back({0, SimulatedStatus(endState)});
}

const SERVICE_STATUS& SimulatedServiceManager::CurrentStatus(const std::string& name) {
  SimulatedService& service = Service(name);
  Timeline& timeline = m_timelines[name];
  const DWORD sinceRequest = m_clock->TickCount() - timeline.requestTick;
  while (!timeline.steps.empty() && timeline.steps.front().afterMs <= sinceRequest) {
    service.status = timeline.steps.front().status;
    timeline.steps.pop_front();
  }
  return service.status;
}
