#include "db/ConnectionPool.h"

#include <unistd.h>

#include <deque>

#include "db/DatabaseError.h"
#include "db/OdbcConnection.h"

namespace {

// More idle connections than nested operations ever use at once are not worth keeping.
constexpr size_t kMaxIdleConnections = 4;

struct IdleConnection {
  std::string connectionString;
  std::unique_ptr<OdbcConnection> connection;
};

struct IdleConnections {
  pid_t owner = getpid();
  std::deque<IdleConnection> entries;
};

// Never destroyed: static objects of other translation units may still reach the database
// while the process exits.
IdleConnections& Idle() {
  static auto* const idle = new IdleConnections;
  // A forked child must not talk over its parent's sockets or files: it forgets (without
  // closing) what it inherited.
  if (idle->owner != getpid()) {
    for (auto& entry : idle->entries) static_cast<void>(entry.connection.release());
    idle->entries.clear();
    idle->owner = getpid();
  }
  return *idle;
}

std::unique_ptr<OdbcConnection> OpenConnection(const std::string& connectionString) {
  auto connection = std::make_unique<OdbcConnection>();
  connection->Open(connectionString);
  return connection;
}

// Marks an error after which the connection proved dead, so that it says so wherever it goes.
bool IsConnectionLost(DatabaseError& error, OdbcConnection& connection) {
  if (!error.IsConnectionFailure() && connection.IsDead()) error.MarkConnectionDead();
  return error.IsConnectionFailure();
}

}  // namespace

ConnectionLease::ConnectionLease(const std::string& connectionString) : m_connectionString(connectionString) {
  auto& entries = Idle().entries;
  for (auto entry = entries.begin(); entry != entries.end(); ++entry) {
    if (entry->connectionString != connectionString) continue;
    m_connection = std::move(entry->connection);
    entries.erase(entry);
    m_reused = true;
    return;
  }
  m_connection = OpenConnection(connectionString);
}

ConnectionLease::~ConnectionLease() {
  if (m_broken) return;
  auto& entries = Idle().entries;
  entries.push_front({m_connectionString, std::move(m_connection)});
  if (entries.size() > kMaxIdleConnections) entries.pop_back();
}

void ConnectionLease::Reopen() {
  m_connection.reset();
  m_reused = false;
  m_broken = true;  // until the new connection is open
  m_connection = OpenConnection(m_connectionString);
  m_broken = false;
}

void CloseIdleConnections() { Idle().entries.clear(); }

void RunReconnectingOnce(ConnectionLease& lease, const std::function<void(OdbcConnection&)>& work) {
  try {
    work(lease.Connection());
  } catch (const CommitOutcomeUnknown&) {
    throw;  // it may have been made: running it again could make it twice
  } catch (DatabaseError& error) {
    if (!IsConnectionLost(error, lease.Connection()) || !lease.Reused()) throw;
    lease.Reopen();
    work(lease.Connection());
  }
}

void RunCommitting(OdbcConnection& connection, const std::function<void()>& change) {
  try {
    change();
  } catch (const CommitOutcomeUnknown&) {
    throw;
  } catch (DatabaseError& error) {
    if (IsConnectionLost(error, connection)) throw CommitOutcomeUnknown(error);
    throw;
  }
}

bool DatabaseAnswers() {
  try {
    OpenConnection(WithoutOdbcPrefix(connectString()));
    return true;
  } catch (const DatabaseError&) {
    return false;
  }
}
