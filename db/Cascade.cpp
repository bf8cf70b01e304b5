#include "db/Cascade.h"

#include <string>
#include <vector>

#include "db/ChangeStatement.h"
#include "db/ComputerRecord.h"
#include "db/ConnectionPool.h"
#include "db/GuardedOperation.h"
#include "db/OdbcConnection.h"
#include "db/RowMutation.h"
#include "db/Transaction.h"
#include "db/VirtualServerRecord.h"

namespace {

// The row's own delete comes first; its dependents follow, each found by the row's key. A row
// already gone (another machine deleted it) still has its dependents deleted: nothing would
// list them any more, yet they would keep its address or name from being used again. The
// refusal that says it did not exist follows the commit.
struct CascadePlan {
  const char* rowDelete;
  std::vector<const char*> dependentDeletes;
  std::string missingText;
  const char* cannotDeleteText;
};

void RunCascade(const CascadePlan& plan, int32_t key) {
  ConnectionLease lease;
  RunReconnectingOnce(lease, [&](OdbcConnection& connection) {
    if (connection.IsReadOnly()) throw Refusal(plan.cannotDeleteText);
    Transaction transaction(lease);
    const bool existed = RunChangeStatement(connection, plan.rowDelete, {key}) != 0;
    for (const char* sql : plan.dependentDeletes) RunChangeStatement(connection, sql, {key});
    transaction.Commit();
    if (!existed) throw Refusal(plan.missingText);
  });
}

}  // namespace

void DeleteVirtualServerCascade(const VirtualServerRecord& server) {
  RunCascade(
      {"DELETE FROM VirtualServers WHERE VServerID = ?",
       {"DELETE FROM Preferences WHERE VirtualServerID = ?", "DELETE FROM Users WHERE VirtualServerID = ?"},
       WithValue("Can not delete virtual server. Virtual server %s does not exist!!", server.VServerIPAddr),
       "Can not delete virtual server. Database error!! Can not delete"},
      server.VServerID);
}

void DeleteComputerCascade(const ComputerRecord& computer) {
  RunCascade({"DELETE FROM VirtualServerGroup WHERE ID = ?",
              {"DELETE FROM Users WHERE VirtualServerID IN "
               "(SELECT VServerID FROM VirtualServers WHERE VServerGroupID = ?)",
               "DELETE FROM Preferences WHERE VirtualServerID IN "
               "(SELECT VServerID FROM VirtualServers WHERE VServerGroupID = ?)",
               "DELETE FROM VirtualServers WHERE VServerGroupID = ?"},
              WithValue("Can not delete computer name. Computer %s does not exist!!", computer.Name),
              "Can not delete computer name. Database error!! Can not delete"},
             computer.ID);
}
