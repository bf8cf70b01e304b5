#pragma once
// The FTP service's state for a display that looks again every second. A question to the
// service manager is normally answered at once, and asked on the caller's thread. A manager
// that did not answer within its time-out is asked again only in the background, one
// question at a time, until it answers: meanwhile each look returns at once, with the manager
// counted as not available, and no look waits for it or adds a second question.

#include <future>
#include <optional>

#include "platform/WinTypes.h"

class ServiceStatusPoll {
 public:
  ServiceStatusPoll() = default;
  // Waits for a question still out in the background (at most the manager's time-out).
  ~ServiceStatusPoll() = default;
  ServiceStatusPoll(const ServiceStatusPoll&) = delete;
  ServiceStatusPoll& operator=(const ServiceStatusPoll&) = delete;

  // The service's current state (SERVICE_STATUS::dwCurrentState), or nothing when it cannot
  // be read now.
  std::optional<DWORD> Look();
  // Whether the last look found the service manager unreachable: not there, or not
  // answering (also while a question to it is still out).
  bool ManagerUnavailable() const { return m_managerUnavailable; }

 private:
  struct Reading {
    std::optional<DWORD> state;
    DWORD error;  // why there is no state
  };
  static Reading Read();
  std::optional<DWORD> Take(const Reading& reading);

  std::future<Reading> m_pending;
  bool m_managerUnavailable = false;
};
