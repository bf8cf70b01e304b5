#pragma once
// The session lock of one account: its Flag, tied to the holder's life where the database
// allows it.
//
// A database with the table SessionLocks (made by `veltrane-admin init`) and an engine with a
// proof of life (SessionLiveness.h): the taker first takes the proof (so takers go one at a
// time), then, in one transaction, either sets a clear Flag and records its token in
// SessionLocks, or, when the Flag is set and SessionLocks names a holder, takes the lock over
// with one conditional update of that row (only a dead holder can have let the proof go). A
// set Flag without a row in SessionLocks was set by a program that keeps no proof, and is
// respected. The holder confirms its proof before every change it makes (ChangeGuard.h).
//
// Without the table or a proof, the lock is the Flag alone, taken with one conditional
// update and released with a reset, as by programs that know nothing of SessionLocks.

#include <cstdint>
#include <memory>
#include <string>

#include "db/SessionLiveness.h"

class ConnectionLease;
class OdbcConnection;

class SessionLock {
 public:
  enum class Outcome { taken, tookOver, held };
  // What a log-in would find: no lock; a lock whose holder proves alive; one whose holder
  // ended (the next log-in takes it over); one set by a program that keeps no proof.
  enum class State { free, held, ended, setWithoutProof };

  SessionLock() = default;
  ~SessionLock();
  SessionLock(const SessionLock&) = delete;
  SessionLock& operator=(const SessionLock&) = delete;

  // Takes the lock of `userId`. Throws (DatabaseError, Refusal, std::runtime_error) when it
  // cannot be decided, having let go of whatever it took. While the lock is held, every
  // change confirms the proof first and is refused once it is lost.
  Outcome Take(int32_t userId);

  // Clears the Flag if the lock is still this session's (a session that took it over has
  // it now otherwise), then lets the proof go. While the database is down, recovering or
  // busy, tried again every second for 30 seconds (the Flag alone: three tries over five
  // seconds, as before). Returns the last failure, or "" when released. Never throws.
  std::string Release();

  // Whether the lock is tied to this session's life, so that it goes with it.
  bool TiedToLife() const { return m_liveness != nullptr; }

  // Frees the lock of `userId` that a session left behind (`veltrane-admin unlock`): its Flag
  // and its row in SessionLocks, in one transaction. False, freeing nothing, when a live
  // session proves to hold it. Throws DatabaseError.
  static bool Free(int32_t userId);

  // The state of `userId`'s lock, changing nothing. Throws DatabaseError.
  static State Probe(int32_t userId);

 private:
  Outcome TakeOnConnection(ConnectionLease& lease, OdbcConnection& connection);
  void ReleaseOnce();
  // The change guard: passes while the proof is held, or can be taken again (its
  // connection went with a server restart) with the lock still ours; throws Refusal otherwise.
  void Confirm();
  bool StillOurs();

  int32_t m_userId = 0;
  std::string m_token;
  std::unique_ptr<SessionLiveness> m_liveness;  // none: the lock is the Flag alone
  bool m_lost = false;
};
