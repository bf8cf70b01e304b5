#include "db/TextRows.h"

#include <sqlext.h>

#include "db/OdbcCheck.h"
#include "db/OdbcStatement.h"

namespace {

// The whole text of column `column` of the fetched row; NULL reads as "".
std::string ColumnText(SQLHSTMT handle, SQLUSMALLINT column) {
  std::string text;
  char buffer[1024];
  for (;;) {
    SQLLEN length = 0;
    const SQLRETURN result = SQLGetData(handle, column, SQL_C_CHAR, buffer, sizeof buffer, &length);
    if (result == SQL_NO_DATA) return text;
    CheckOdbc(result, SQL_HANDLE_STMT, handle);
    if (length == SQL_NULL_DATA) return text;
    if (result == SQL_SUCCESS) return text.append(buffer, static_cast<size_t>(length));
    text.append(buffer, sizeof buffer - 1);  // cut to the buffer: the rest comes next
  }
}

}  // namespace

void ForEachTextRow(OdbcConnection& connection, const std::string& sql, const std::vector<SqlParam>& params,
                    const std::function<void(const TextRow&)>& take) {
  OdbcStatement statement(connection);
  statement.Execute(sql, params);
  const SQLHSTMT handle = statement.Handle();
  SQLSMALLINT columns = 0;
  CheckOdbc(SQLNumResultCols(handle, &columns), SQL_HANDLE_STMT, handle);
  TextRow row(static_cast<size_t>(columns));
  for (SQLRETURN fetched; (fetched = SQLFetch(handle)) != SQL_NO_DATA;) {
    CheckOdbc(fetched, SQL_HANDLE_STMT, handle);
    for (SQLUSMALLINT column = 1; column <= columns; ++column) row[column - 1] = ColumnText(handle, column);
    take(row);
  }
}
