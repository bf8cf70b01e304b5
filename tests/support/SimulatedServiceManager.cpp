#include "tests/support/SimulatedServiceManager.h"

#include <stdexcept>

namespace {

class SimulatedServiceConnection final : public ServiceConnection {
 public:
  SimulatedServiceConnection(SimulatedServiceManager& manager, std::string name)
      : m_manager(manager), m_name(std::move(name)) {}

  DWORD Start() override { return m_manager.Start(m_name); }
  DWORD Stop(SERVICE_STATUS& status) override { return m_manager.Stop(m_name, status); }
  DWORD Query(SERVICE_STATUS& status) override { return m_manager.Query(m_name, status); }
  DWORD Dependents(std::vector<DependentService>& dependents) override {
    return m_manager.Dependents(m_name, dependents);
  }

 private:
  SimulatedServiceManager& m_manager;
  std::string m_name;
};

class SimulatedManagerConnection final : public ManagerConnection {
 public:
  explicit SimulatedManagerConnection(SimulatedServiceManager& manager) : m_manager(manager) {}

  DWORD OpenService(const std::string& serviceName, DWORD /*access*/,
                    std::unique_ptr<ServiceConnection>& service) override {
    if (const DWORD error = m_manager.Open(serviceName)) return error;
    service = std::make_unique<SimulatedServiceConnection>(m_manager, serviceName);
    return ERROR_SUCCESS;
  }

 private:
  SimulatedServiceManager& m_manager;
};

}  // namespace

SERVICE_STATUS SimulatedStatus(DWORD state, DWORD checkPoint, DWORD waitHint) {
  const DWORD accepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  return {SERVICE_WIN32_OWN_PROCESS, state, accepted, ERROR_SUCCESS, 0, checkPoint, waitHint};
}

SimulatedServiceManager::SimulatedServiceManager(std::shared_ptr<SimulatedClock> clock)
    : m_clock(std::move(clock)) {}

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
  manager = std::make_unique<SimulatedManagerConnection>(*this);
  return ERROR_SUCCESS;
}

DWORD SimulatedServiceManager::Open(const std::string& name) {
  m_requests.push_back("open " + name);
  const auto found = m_services.find(name);
  if (found == m_services.end()) return ERROR_SERVICE_DOES_NOT_EXIST;
  return found->second.openError;
}

DWORD SimulatedServiceManager::Start(const std::string& name) {
  m_requests.push_back("start " + name);
  const SimulatedService& service = Service(name);
  if (service.startError != ERROR_SUCCESS) return service.startError;
  if (CurrentStatus(name).dwCurrentState != SERVICE_STOPPED) return ERROR_SERVICE_ALREADY_RUNNING;
  Schedule(name, service.afterStart.empty()
                     ? std::vector<SimulatedStep>{{0, SimulatedStatus(SERVICE_RUNNING)}}
                     : service.afterStart);
  return ERROR_SUCCESS;
}

DWORD SimulatedServiceManager::Stop(const std::string& name, SERVICE_STATUS& status) {
  m_requests.push_back("stop " + name);
  const SimulatedService& service = Service(name);
  if (service.stopError != ERROR_SUCCESS) return service.stopError;
  if (CurrentStatus(name).dwCurrentState == SERVICE_STOPPED) return ERROR_SERVICE_NOT_ACTIVE;
  Schedule(name, service.afterStop.empty() ? std::vector<SimulatedStep>{{0, SimulatedStatus(SERVICE_STOPPED)}}
                                           : service.afterStop);
  status = CurrentStatus(name);
  return ERROR_SUCCESS;
}

DWORD SimulatedServiceManager::Query(const std::string& name, SERVICE_STATUS& status) {
  if (const DWORD error = Service(name).queryError) return error;
  status = CurrentStatus(name);
  return ERROR_SUCCESS;
}

DWORD SimulatedServiceManager::Dependents(const std::string& name,
                                          std::vector<DependentService>& dependents) {
  m_requests.push_back("dependents " + name);
  const SimulatedService& service = Service(name);
  if (service.dependentsError != ERROR_SUCCESS) return service.dependentsError;
  for (const std::string& dependentName : service.dependents)
    dependents.push_back({dependentName, Service(dependentName).displayName, CurrentStatus(dependentName)});
  return ERROR_SUCCESS;
}

void SimulatedServiceManager::Schedule(const std::string& name, const std::vector<SimulatedStep>& steps) {
  m_timelines[name] = {m_clock->TickCount(), {steps.begin(), steps.end()}};
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
