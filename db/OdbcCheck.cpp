#include "db/OdbcCheck.h"

#include <sqlext.h>

#include <string>

#include "db/DatabaseError.h"

namespace {

// Every diagnostic record's message, one per line, and the first record's SQLSTATE.
DatabaseError CollectDiagnostics(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle) {
  std::string message;
  std::string firstState;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER nativeError = 0;
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, record, state, &nativeError, nullptr, 0, &length)))
      break;
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SQLGetDiagRec(handleType, handle, record, state, &nativeError, reinterpret_cast<SQLCHAR*>(text.data()),
                  static_cast<SQLSMALLINT>(text.size()), &length);
    text.resize(static_cast<size_t>(length));
    if (record == 1) firstState = reinterpret_cast<const char*>(state);
    if (!message.empty()) message += '\n';
    message += text;
  }
  if (message.empty()) message = "The ODBC call failed with code " + std::to_string(result) + ".";
  return DatabaseError(message, firstState);
}

}  // namespace

void CheckOdbc(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle) {
  if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA) return;
  throw CollectDiagnostics(result, handleType, handle);
}
