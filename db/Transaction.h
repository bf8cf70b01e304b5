#pragma once
// One transaction on a borrowed connection: the driver's autocommit is off from construction
// until the end, and a transaction that was not committed is rolled back on destruction.
// Either way the connection is back in autocommit before it is lent again; one whose state
// cannot be restored is discarded instead.

class ConnectionLease;

class Transaction {
 public:
  explicit Transaction(ConnectionLease& lease);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  void Commit();

 private:
  void End(short completion);

  ConnectionLease& lease_;
  bool ended_ = false;
};
