#pragma once
// The proof that the session holding an account's lock is alive, kept by the holder for as
// long as it holds the lock and gone by itself when the holder is: a session-level advisory
// lock on a connection of its own (PostgreSQL; it ends with the connection, also when the
// server crashes), or an flock on a file beside the database file (SQLite, one machine; it
// ends with the process). Whoever can take the proof knows that no live session holds it.

#include <cstdint>
#include <memory>
#include <string>

class OdbcConnection;

class SessionLiveness {
 public:
  virtual ~SessionLiveness() = default;
  // Takes the proof; false when another live process holds it. Throws when it cannot be
  // asked (DatabaseError, std::runtime_error).
  virtual bool TryHold() = 0;
  // Whether the proof taken is still held (one round trip at most). Never throws.
  virtual bool Held() = 0;
  // Lets the proof go. Never throws.
  virtual void Drop() = 0;
};

// The proof for `userId`'s lock on the database behind `connection` (opened with
// `connectionString`), or none for an engine that has none.
std::unique_ptr<SessionLiveness> MakeSessionLiveness(OdbcConnection& connection,
                                                     const std::string& connectionString, int32_t userId);
