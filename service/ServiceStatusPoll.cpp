#include "service/ServiceStatusPoll.h"

#include <chrono>

#include "platform/LastError.h"
#include "platform/ServiceManager.h"
#include "service/FtpServiceControl.h"

namespace {

bool IsManagerUnavailable(DWORD error) {
  return error == DWORD(RPC_S_SERVER_UNAVAILABLE) || error == DWORD(ERROR_SERVICE_REQUEST_TIMEOUT);
}

}  // namespace

ServiceStatusPoll::Reading ServiceStatusPoll::Read() {
  const std::optional<DWORD> state = QueryFtpServiceState();
  return {state, state ? DWORD(ERROR_SUCCESS) : GetLastError()};
}

std::optional<DWORD> ServiceStatusPoll::Look() {
  if (m_pending.valid()) {
    if (m_pending.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return std::nullopt;
    return Take(m_pending.get());
  }
  return Take(Read());
}

std::optional<DWORD> ServiceStatusPoll::Take(const Reading& reading) {
  m_managerUnavailable = IsManagerUnavailable(reading.error);
  // A manager that did not answer in time is asked again in the background only.
  if (reading.error == DWORD(ERROR_SERVICE_REQUEST_TIMEOUT))
    m_pending = std::async(std::launch::async, &ServiceStatusPoll::Read);
  return reading.state;
}
