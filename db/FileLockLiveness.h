#pragma once
// SQLite's proof of a session's life: an flock on the file "DATABASE-session-USERID" beside
// the database file, held by an open descriptor that no program the process runs inherits.
// The file itself stays; only the lock on it says anything.

#include "db/SessionLiveness.h"

class FileLockLiveness : public SessionLiveness {
 public:
  FileLockLiveness(const std::string& databaseFile, int32_t userId);
  ~FileLockLiveness() override;

  bool TryHold() override;
  // Also false when the file was removed or replaced: another process could lock the new one.
  bool Held() override;
  void Drop() override;

 private:
  std::string m_path;
  int m_descriptor = -1;
};
