#pragma once
// PostgreSQL's proof of a session's life: the session-level advisory lock (class
// kAdvisoryLockClass, key the UserID) held on a connection of its own. The connections of
// the pool may be replaced when they go stale, so the proof never lives on one of them.

#include <memory>

#include "db/SessionLiveness.h"

class AdvisoryLockLiveness : public SessionLiveness {
 public:
  // "VELT": the first key of every advisory lock this program takes.
  static constexpr int32_t kAdvisoryLockClass = 0x56454C54;

  AdvisoryLockLiveness(std::string connectionString, int32_t userId);
  ~AdvisoryLockLiveness() override;

  bool TryHold() override;
  bool Held() override;
  void Drop() override;

 private:
  std::string m_connectionString;
  int32_t m_userId;
  std::unique_ptr<OdbcConnection> m_connection;  // open while the proof is held
};
