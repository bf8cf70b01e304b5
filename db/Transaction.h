#pragma once
// One transaction on a borrowed connection: the driver's autocommit is off from construction
// until the end, and a transaction that was not committed is rolled back on destruction.
// Either way the connection is back in autocommit (and at its own isolation level) before it
// is lent again; one whose state cannot be restored is discarded instead.

#include <sql.h>

class ConnectionLease;

class Transaction {
 public:
  enum class Isolation { driverDefault, serializable };

  // A serializable transaction runs as if no other ran at the same time: of two that read
  // the same rows and then write, one fails with SQLSTATE 40001 and may be run again.
  explicit Transaction(ConnectionLease& lease, Isolation isolation = Isolation::driverDefault);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit();

 private:
  void End(short completion);

  ConnectionLease& m_lease;
  SQLULEN m_previousIsolation = 0;  // 0: left as it was
  bool m_ended = false;
};
