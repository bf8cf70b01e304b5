#pragma once
// Connections kept open between operations. A connect costs tens of milliseconds on a
// database server (the driver runs its own set-up statements), and SQLite rewrites its
// write-ahead log whenever the last connection to a file closes; so an operation borrows a
// connection and gives it back, and only the first operation, or one after a failure, pays
// for a new one. Idle connections belong to this process alone: a forked child opens its own.

#include <functional>
#include <memory>
#include <string>

#include "db/ConnectString.h"

class OdbcConnection;

class ConnectionLease {
 public:
  // An idle connection opened with `connectionString` (without "ODBC;"), or a new one.
  explicit ConnectionLease(const std::string& connectionString = WithoutOdbcPrefix(connectString()));
  // Gives the connection back to the idle ones, unless it was found broken.
  ~ConnectionLease();
  ConnectionLease(const ConnectionLease&) = delete;
  ConnectionLease& operator=(const ConnectionLease&) = delete;

  OdbcConnection& Connection() const { return *m_connection; }
  // Whether the connection was kept from an earlier operation, and so may have gone stale.
  bool Reused() const { return m_reused; }
  // Marks a connection that is no longer usable: it is closed with the lease, never lent
  // again.
  void Discard() { m_broken = true; }
  // Drops the connection and opens a new one with the same string.
  void Reopen();

 private:
  std::string m_connectionString;
  std::unique_ptr<OdbcConnection> m_connection;
  bool m_reused = false;
  bool m_broken = false;
};

// Closes every idle connection; the next operation connects afresh. The session calls it
// when it closes, so that nothing stays open between two sessions.
void CloseIdleConnections();

// Runs `work` on the lease's connection. When a kept connection proves dead (the server
// restarted since it was opened), the lease opens a new one and `work` runs once more; a
// statement on a dead connection changed nothing, so running it again is safe. `work` must
// leave nothing behind on the connection when it throws.
void RunReconnectingOnce(ConnectionLease& lease, const std::function<void(OdbcConnection&)>& work);

// Runs `change`, which commits as it runs (a statement in autocommit, or a commit): when it
// fails with the connection lost, it throws CommitOutcomeUnknown instead, since the server
// may have made the change before its answer was lost.
void RunCommitting(OdbcConnection& connection, const std::function<void()>& change);

// Whether a new connection with the session's connection string opens now.
bool DatabaseAnswers();
