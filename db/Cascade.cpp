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

// The row's own delete comes first, so that a row already gone is refused before anything
// else is touched; its dependents follow, each found by the row's key.
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
    if (RunChangeStatement(connection, plan.rowDelete, {key}) == 0) throw Refusal(plan.missingText);
    for (const char* sql : plan.dependentDeletes) RunChangeStatement(connection, sql, {key});
    transaction.Commit();
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
