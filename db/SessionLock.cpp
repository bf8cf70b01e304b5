#include "db/SessionLock.h"

#include <unistd.h>

#include <cstdio>
#include <random>

#include "platform/Clock.h"  // before sql.h, whose BOOL macro would break the platform's BOOL
#include "db/ChangeGuard.h"
#include "db/ChangeStatement.h"
#include "db/ConnectionPool.h"
#include "db/GuardedOperation.h"
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"
#include "db/Schema.h"
#include "db/Transaction.h"

namespace {

// A database that is restarting spends a while in recovery ("the database system is starting
// up"); a lock tied to its holder's life is released once it is back, within 30 seconds.
constexpr int kTiedReleaseAttempts = 31;
constexpr DWORD kTiedReleasePauseMs = 1000;
// The Flag alone is reset as programs that keep no proof reset it: three tries over five
// seconds.
constexpr int kFlagReleaseAttempts = 3;
constexpr DWORD kFlagReleasePauseMs = 2500;

constexpr const char* kSessionTable = "SessionLocks";
constexpr const char* kTakeFlag = "UPDATE Users SET Flag = 1 WHERE UserID = ? AND Flag = 0";
constexpr const char* kClearFlag = "UPDATE Users SET Flag = 0 WHERE UserID = ?";
constexpr const char* kLostText =
    "The session lock was taken over by another session while this one could not reach the database. "
    "Nothing more is changed in this session: close it and log in again.";

std::string NewToken() {
  std::random_device random;
  char text[33];
  std::snprintf(text, sizeof text, "%08x%08x%08x%08x", random(), random(), random(), random());
  return text;
}

// Who holds the lock, for people and for `veltrane-admin check`: "HOST:PID".
std::string HolderName() {
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  return std::string(host) + ":" + std::to_string(getpid());
}

}  // namespace

SessionLock::~SessionLock() { RemoveChangeGuard(this); }

SessionLock::Outcome SessionLock::Take(int32_t userId) {
  m_userId = userId;
  m_token = NewToken();
  m_lost = false;
  Outcome outcome = Outcome::held;
  try {
    const UnguardedChanges bookkeeping;
    ConnectionLease lease;
    RunReconnectingOnce(lease,
                        [&](OdbcConnection& connection) { outcome = TakeOnConnection(lease, connection); });
  } catch (...) {
    // Also when the transaction committed and only its answer was lost: without the proof,
    // the next log-in takes the lock over.
    m_liveness.reset();
    throw;
  }
  if (outcome == Outcome::held) m_liveness.reset();
  if (m_liveness) AddChangeGuard(this, [this] { Confirm(); });
  return outcome;
}

SessionLock::Outcome SessionLock::TakeOnConnection(ConnectionLease& lease, OdbcConnection& connection) {
  m_liveness = HasTable(connection, kSessionTable)
                   ? MakeSessionLiveness(connection, connection.Completed(), m_userId)
                   : nullptr;
  if (!m_liveness)
    return RunChangeStatement(connection, kTakeFlag, {m_userId}) == 1 ? Outcome::taken : Outcome::held;
  if (!m_liveness->TryHold()) return Outcome::held;

  // Writes first: SQLite waits for a busy database only in a transaction that has read nothing.
  Transaction transaction(lease);
  Outcome outcome = Outcome::taken;
  if (RunChangeStatement(connection, kTakeFlag, {m_userId}) == 1) {
    RunChangeStatement(connection, "DELETE FROM SessionLocks WHERE UserID = ?", {m_userId});
    RunChangeStatement(connection, "INSERT INTO SessionLocks (UserID, Token, Holder) VALUES (?, ?, ?)",
                       {m_userId, m_token, HolderName()});
  } else if (RunChangeStatement(connection,
                                "UPDATE SessionLocks SET Token = ?, Holder = ? WHERE UserID = ? AND EXISTS "
                                "(SELECT 1 FROM Users WHERE UserID = ? AND Flag <> 0)",
                                {m_token, HolderName(), m_userId, m_userId}) == 1) {
    // The Flag is set by a session that recorded itself, and its proof is ours now, so it is
    // gone: one conditional update makes the lock ours (takers take the proof one at a time).
    outcome = Outcome::tookOver;
  } else {
    return Outcome::held;  // set by a program that keeps no proof, or no such account
  }
  transaction.Commit();
  return outcome;
}

std::string SessionLock::Release() {
  RemoveChangeGuard(this);
  std::string cause;
  const int attempts = m_liveness ? kTiedReleaseAttempts : kFlagReleaseAttempts;
  for (int attempt = 1; attempt <= attempts && !m_lost; ++attempt) {
    if (attempt > 1) Sleep(m_liveness ? kTiedReleasePauseMs : kFlagReleasePauseMs);
    try {
      ReleaseOnce();
      cause.clear();
      break;
    } catch (const std::exception& error) {
      cause = error.what();
    } catch (const Refusal& refusal) {
      cause = refusal.Text();
    }
  }
  m_liveness.reset();
  return cause;
}

void SessionLock::ReleaseOnce() {
  const UnguardedChanges bookkeeping;
  ConnectionLease lease;
  RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
    if (!m_liveness) {
      RunChangeStatement(connection, kClearFlag, {m_userId});
      return;
    }
    Transaction transaction(lease);
    if (RunChangeStatement(connection, "DELETE FROM SessionLocks WHERE UserID = ? AND Token = ?",
                           {m_userId, m_token}) == 1)
      RunChangeStatement(connection, kClearFlag, {m_userId});
    transaction.Commit();
  });
}

void SessionLock::Confirm() {
  if (!m_lost && m_liveness->Held()) return;
  if (!m_lost && m_liveness->TryHold() && StillOurs()) return;
  m_liveness->Drop();
  m_lost = true;
  throw Refusal(kLostText);
}

bool SessionLock::StillOurs() {
  ConnectionLease lease;
  bool ours = false;
  RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
    OdbcStatement statement(connection);
    statement.Execute("SELECT Token FROM SessionLocks WHERE UserID = ?", {m_userId});
    ours = statement.FetchText() == m_token;
  });
  return ours;
}

bool SessionLock::Free(int32_t userId) {
  const UnguardedChanges bookkeeping;
  ConnectionLease lease;
  bool freed = false;
  RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
    const bool sessions = HasTable(connection, kSessionTable);
    // Held while the lock is freed, so that no session takes it meanwhile.
    const auto liveness =
        sessions ? MakeSessionLiveness(connection, connection.Completed(), userId) : nullptr;
    if (liveness && !liveness->TryHold()) return;
    Transaction transaction(lease);
    RunChangeStatement(connection, kClearFlag, {userId});
    if (sessions) RunChangeStatement(connection, "DELETE FROM SessionLocks WHERE UserID = ?", {userId});
    transaction.Commit();
    freed = true;
  });
  return freed;
}

SessionLock::State SessionLock::Probe(int32_t userId) {
  ConnectionLease lease;
  State state = State::free;
  RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
    const auto first = [&](const char* sql) {
      OdbcStatement statement(connection);
      statement.Execute(sql, {userId});
      return statement.FetchText();
    };
    const auto flag = first("SELECT Flag FROM Users WHERE UserID = ?");
    if (!flag || *flag == "0") {
      state = State::free;
      return;
    }
    const bool recorded =
        HasTable(connection, kSessionTable) && first("SELECT Token FROM SessionLocks WHERE UserID = ?");
    const auto liveness =
        recorded ? MakeSessionLiveness(connection, connection.Completed(), userId) : nullptr;
    state = !liveness ? State::setWithoutProof : liveness->TryHold() ? State::ended : State::held;
  });
  return state;
}
