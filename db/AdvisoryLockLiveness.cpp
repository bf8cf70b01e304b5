#include "db/AdvisoryLockLiveness.h"

#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"

AdvisoryLockLiveness::AdvisoryLockLiveness(std::string connectionString, int32_t userId)
    : m_connectionString(std::move(connectionString)), m_userId(userId) {}

AdvisoryLockLiveness::~AdvisoryLockLiveness() { Drop(); }

bool AdvisoryLockLiveness::TryHold() {
  Drop();
  auto connection = std::make_unique<OdbcConnection>();
  connection->Open(m_connectionString);
  OdbcStatement statement(*connection);
  statement.Execute("SELECT 1 WHERE pg_try_advisory_lock(?, ?)", {kAdvisoryLockClass, m_userId});
  if (!statement.FetchText()) return false;
  m_connection = std::move(connection);
  return true;
}

bool AdvisoryLockLiveness::Held() {
  if (!m_connection) return false;
  try {
    OdbcStatement(*m_connection).Execute("SELECT 1");
    return true;
  } catch (...) {
    return false;
  }
}

// Closing the connection ends its session, and the advisory lock with it.
void AdvisoryLockLiveness::Drop() { m_connection.reset(); }
