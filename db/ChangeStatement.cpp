#include "db/ChangeStatement.h"

#include "db/ChangeGuard.h"
#include "db/ConnectionPool.h"
#include "db/OdbcStatement.h"

int64_t RunChangeStatement(OdbcConnection& connection, const std::string& sql,
                           const std::vector<SqlParam>& params) {
  GuardChange();
  OdbcStatement statement(connection);
  statement.Execute(sql, params);
  return statement.RowCount();
}

int64_t RunChangeStatement(const std::string& sql, const std::vector<SqlParam>& params) {
  ConnectionLease lease;
  int64_t changed = 0;
  RunReconnectingOnce(
      lease, [&](OdbcConnection& connection) { changed = RunChangeStatement(connection, sql, params); });
  return changed;
}
