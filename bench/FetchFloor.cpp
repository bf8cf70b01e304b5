// The floor of the Users page listing: every Users row read with SQLBindCol and SQLFetch,
// integers into integers and texts into buffers, one row at a time, in the order the listing
// asks for when one is given (the SQL after ORDER BY).
//   veltrane-bench-fetch-floor CONNECTION-STRING [ORDER-BY]
// prints the seconds from the query to the last row, and the number of rows.

#include <sqlext.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "bench/RawOdbc.h"
#include "bench/Stopwatch.h"

namespace {

struct Column {
  SQLSMALLINT cType = SQL_C_CHAR;
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
    column.cType = integer ? SQL_C_SBIGINT : SQL_C_CHAR;
    column.buffer.resize(integer ? sizeof(SQLBIGINT)
                                 : size * 4 + 1);  // UTF-8 needs up to 4 bytes a character
    CheckRaw(SQLBindCol(statement, i, column.cType, column.buffer.data(),
                        static_cast<SQLLEN>(column.buffer.size()), &column.indicator),
             SQL_HANDLE_STMT, statement, "SQLBindCol");
  }
  return columns;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fputs("usage: veltrane-bench-fetch-floor CONNECTION-STRING [ORDER-BY]\n", stderr);
    return 2;
  }
  try {
    RawConnection connection(argv[1]);
    RawStatement statement(connection);
    const Stopwatch clock;
    statement.Execute(std::string("SELECT * FROM Users") +
                      (argc == 3 ? std::string(" ORDER BY ") + argv[2] : ""));
    const std::vector<Column> columns = BindAll(statement.Handle());
    long rows = 0;
    for (SQLRETURN result; (result = SQLFetch(statement.Handle())) != SQL_NO_DATA; ++rows)
      CheckRaw(result, SQL_HANDLE_STMT, statement.Handle(), "SQLFetch");
    std::printf("%.6f %ld\n", clock.Seconds(), rows);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "veltrane-bench-fetch-floor: %s\n", error.what());
    return 1;
  }
  return 0;
}
