#include "db/OwnConnectionStatement.h"

#include "db/ConnectString.h"
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"

int64_t ExecuteOnOwnConnection(const std::string& sql, const std::vector<SqlParam>& params) {
  OdbcConnection connection;
  connection.Open(WithoutOdbcPrefix(connectString()));
  OdbcStatement statement(connection);
  statement.Execute(sql, params);
  return statement.RowCount();
}
