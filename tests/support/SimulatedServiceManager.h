#pragma once
// A service manager for tests. Each service has a status that a test sets, and a script of
// the statuses it goes through after a start or a stop request, each due a number of
// simulated milliseconds after the request; a status query reports the latest one due by
// the SimulatedClock's time. A test can make any operation fail with a chosen error code
// and reads back the requests made, in order. Not for use from several threads at once.

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ServiceBackend.h"
#include "tests/support/SimulatedClock.h"

SERVICE_STATUS SimulatedStatus(DWORD state, DWORD checkPoint = 0, DWORD waitHint = 0);

struct SimulatedStep {
  DWORD afterMs;
  SERVICE_STATUS status;
};

struct SimulatedService {
  std::string displayName;
  SERVICE_STATUS status = SimulatedStatus(SERVICE_STOPPED);
  // What a start or a stop request leads to; without a script the service reaches
  // SERVICE_RUNNING or SERVICE_STOPPED at once.
  std::vector<SimulatedStep> afterStart;
  std::vector<SimulatedStep> afterStop;
  // The services that depend on this one, listed as given, transitive ones included.
  std::vector<std::string> dependents;
  // Non-zero: the operation fails with this code.
  DWORD openError = ERROR_SUCCESS;
  DWORD startError = ERROR_SUCCESS;
  DWORD stopError = ERROR_SUCCESS;
  DWORD queryError = ERROR_SUCCESS;
  DWORD dependentsError = ERROR_SUCCESS;
};

class SimulatedServiceManager final : public ServiceControlBackend {
 public:
  explicit SimulatedServiceManager(std::shared_ptr<SimulatedClock> clock) : m_clock(std::move(clock)) {}

  SimulatedService& AddService(const std::string& name, const std::string& displayName = {});
  SimulatedService& Service(const std::string& name);

  // Non-zero: opening the manager fails with this code.
  DWORD openManagerError = ERROR_SUCCESS;
  // "open NAME", "start NAME", "stop NAME" and "dependents NAME", in the order made.
  const std::vector<std::string>& Requests() const { return m_requests; }

  DWORD OpenManager(std::unique_ptr<ManagerConnection>& manager) override;

 private:
  class Connection;
  struct Timeline {
    DWORD requestTick = 0;
    std::deque<SimulatedStep> steps;
  };

  // Plays the steps from now on, or reaches endState at once without any.
  void Schedule(const std::string& name, const std::vector<SimulatedStep>& steps, DWORD endState);
  // The service's status once the steps due by now have been applied.
  const SERVICE_STATUS& CurrentStatus(const std::string& name);

  std::shared_ptr<SimulatedClock> m_clock;
  std::map<std::string, SimulatedService> m_services;
  std::map<std::string, Timeline> m_timelines;
  std::vector<std::string> m_requests;
};
