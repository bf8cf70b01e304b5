#include "db/AccountBootstrap.h"

#include "db/ChangeStatement.h"
#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/GuardedOperation.h"
#include "db/OdbcConnection.h"
#include "db/Transaction.h"

namespace {

// Races lost in a row before giving up; each lost race means another process made progress.
constexpr int kAttempts = 5;

constexpr const char* kInsertUnlessNamed =
    "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
    "SELECT ?, ?, ?, ?, ?, ?, ? WHERE NOT EXISTS (SELECT 1 FROM Users WHERE UserName = ?)";

// Another transaction made the row at the same moment: a serialization failure (40001), or an
// integrity constraint violation (class 23) from the unique index.
bool LostTheRace(const DatabaseError& error) {
  return error.SqlState() == "40001" || error.SqlState().starts_with("23");
}

void InsertUnlessNamed(const UserRecord& account) {
  ConnectionLease lease;
  RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
    if (connection.IsReadOnly()) throw Refusal("Can not add user. Database error!! Can not append");
    Transaction transaction(lease, Transaction::Isolation::serializable);
    RunChangeStatement(connection, kInsertUnlessNamed,
                       {account.UserName, account.Password, account.HomeDir, account.Permissions,
                        account.VirtualServerID, account.Flag, account.DiskQuota, account.UserName});
    transaction.Commit();
  });
}

}  // namespace

void AddAccountUnlessNamed(const UserRecord& account) {
  for (int attempt = 1;; ++attempt) {
    try {
      InsertUnlessNamed(account);
      return;
    } catch (const DatabaseError& error) {
      if (attempt == kAttempts || !LostTheRace(error)) throw;
    }
  }
}
