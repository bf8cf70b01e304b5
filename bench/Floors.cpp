// The floors: what the product's figures are compared with, through the driver manager alone.
//   veltrane-bench-floor CONNECTION-STRING fetch ORDER-BY
//       every Users row read with SQLBindCol and SQLFetch, integers into integers and texts
//       into buffers, one row at a time, in the order the SQL after ORDER BY gives; prints
//       the seconds from the query to the last row, and the rows
//   veltrane-bench-floor CONNECTION-STRING delete computer|server ID
//       plain DELETE ... WHERE statements for the rows a cascade deletes (the computer with
//       its virtual servers, their preference rows and accounts; or the virtual server with
//       its own), in one transaction; prints its seconds

#include <sqlext.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchMain.h"
#include "bench/Measure.h"
#include "bench/RawOdbc.h"

namespace {

struct Column {
  std::vector<char> buffer;
  SQLLEN indicator = 0;
};

std::vector<Column> BindAll(SQLHSTMT statement) {
  SQLSMALLINT count = 0;
  CheckRaw(SQLNumResultCols(statement, &count), SQL_HANDLE_STMT, statement, "SQLNumResultCols");
  std::vector<Column> columns(static_cast<size_t>(count));
  for (SQLUSMALLINT i = 1; i <= count; ++i) {
    Column& column = columns[i - 1];
    SQLSMALLINT sqlType = 0, digits = 0, nullable = 0;
    SQLULEN size = 0;
    CheckRaw(SQLDescribeCol(statement, i, nullptr, 0, nullptr, &sqlType, &size, &digits, &nullable),
             SQL_HANDLE_STMT, statement, "SQLDescribeCol");
    const bool integer = sqlType == SQL_INTEGER || sqlType == SQL_SMALLINT || sqlType == SQL_BIGINT;
    column.buffer.resize(integer ? sizeof(SQLBIGINT) : size * 4 + 1);  // UTF-8: up to 4 bytes a character
    CheckRaw(SQLBindCol(statement, i, integer ? SQL_C_SBIGINT : SQL_C_CHAR, column.buffer.data(),
                        static_cast<SQLLEN>(column.buffer.size()), &column.indicator),
             SQL_HANDLE_STMT, statement, "SQLBindCol");
  }
  return columns;
}

void Fetch(RawConnection& connection, const std::string& orderBy) {
  RawStatement statement(connection);
  const Stopwatch clock;
  statement.Execute("SELECT * FROM Users ORDER BY " + orderBy);
  const std::vector<Column> columns = BindAll(statement.Handle());
  long rows = 0;
  for (SQLRETURN result; (result = SQLFetch(statement.Handle())) != SQL_NO_DATA; ++rows)
    CheckRaw(result, SQL_HANDLE_STMT, statement.Handle(), "SQLFetch");
  std::printf("%.6f %ld\n", clock.Seconds(), rows);
}

// The row itself goes first and its dependents after it: on SQLite that order measured up to
// three times faster than accounts first, and a floor takes the faster one.
std::vector<std::string> Deletes(const std::string& kind, const std::string& id) {
  if (kind == "server")
    return {"DELETE FROM VirtualServers WHERE VServerID = " + id,
            "DELETE FROM Preferences WHERE VirtualServerID = " + id,
            "DELETE FROM Users WHERE VirtualServerID = " + id};
  const std::string servers = "(SELECT VServerID FROM VirtualServers WHERE VServerGroupID = " + id + ")";
  return {"DELETE FROM VirtualServerGroup WHERE ID = " + id,
          "DELETE FROM Users WHERE VirtualServerID IN " + servers,
          "DELETE FROM Preferences WHERE VirtualServerID IN " + servers,
          "DELETE FROM VirtualServers WHERE VServerGroupID = " + id};
}

void Delete(RawConnection& connection, const std::string& kind, long id) {
  const auto statements = Deletes(kind, std::to_string(id));
  // A missing key of each table is read first, as the model's session has read those tables
  // before it deletes: neither then pays for a cold connection in the measure.
  for (const char* sql : {"SELECT COUNT(*) FROM Users WHERE VirtualServerID = -2",
                          "SELECT COUNT(*) FROM Preferences WHERE VirtualServerID = -2",
                          "SELECT COUNT(*) FROM VirtualServers WHERE VServerGroupID = -2",
                          "SELECT COUNT(*) FROM VirtualServerGroup WHERE ID = -2"})
    connection.Execute(sql);
  const Stopwatch clock;
  connection.BeginTransaction();
  for (const std::string& sql : statements) connection.Execute(sql);
  connection.Commit();
  std::printf("%.6f\n", clock.Seconds());
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const bool fetch = args.size() == 3 && args[1] == "fetch";
  const bool remove =
      args.size() == 4 && args[1] == "delete" && (args[2] == "computer" || args[2] == "server");
  return BenchMain("veltrane-bench-floor", "CONNECTION-STRING fetch ORDER-BY | delete computer|server ID",
                   fetch || remove, [&] {
                     RawConnection connection(args[0]);
                     if (fetch) return Fetch(connection, args[2]);
                     Delete(connection, args[2], std::stol(args[3]));  // a whole number, in decimal
                   });
}
