#include "db/OdbcConnection.h"

#include <sqlext.h>

#include <string>

#include "db/ConnectionStringRules.h"
#include "db/DatabaseError.h"
#include "db/EmbeddedEngine.h"
#include "db/OdbcCheck.h"

namespace {

// Seconds a connect may wait for the server before it fails.
constexpr SQLULEN kLoginTimeoutSeconds = 15;

// The process-wide environment. Deliberately never freed: static objects of other
// translation units (the session) may still reach the database while the process exits.
SQLHENV Environment() {
  static const SQLHENV environment = [] {
    PrepareEmbeddedEngine();
    SQLHENV handle = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handle)))
      throw DatabaseError("The ODBC driver manager could not allocate its environment.", "HY001");
    CheckOdbc(SQLSetEnvAttr(handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
              SQL_HANDLE_ENV, handle);
    return handle;
  }();
  return environment;
}

}  // namespace

OdbcConnection::OdbcConnection() {
  SQLHENV environment = Environment();
  CheckOdbc(SQLAllocHandle(SQL_HANDLE_DBC, environment, &m_handle), SQL_HANDLE_ENV, environment);
}

OdbcConnection::~OdbcConnection() {
  if (m_connected) SQLDisconnect(m_handle);
  SQLFreeHandle(SQL_HANDLE_DBC, m_handle);
}

std::string OdbcConnection::Open(const std::string& connectionString) {
  RefuseNamedPathsForRoot(connectionString);
  CheckOdbc(SQLSetConnectAttr(m_handle, SQL_ATTR_LOGIN_TIMEOUT,
                              reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0),
            SQL_HANDLE_DBC, m_handle);
  std::string input = connectionString;
  std::string completed(4096, '\0');
  SQLSMALLINT completedLength = 0;
  try {
    CheckOdbc(
        SQLDriverConnect(m_handle, nullptr, reinterpret_cast<SQLCHAR*>(input.data()),
                         static_cast<SQLSMALLINT>(input.size()), reinterpret_cast<SQLCHAR*>(completed.data()),
                         static_cast<SQLSMALLINT>(completed.size()), &completedLength, SQL_DRIVER_NOPROMPT),
        SQL_HANDLE_DBC, m_handle);
  } catch (const DatabaseError& error) {
    // Everything the error carries stays, unless the driver's package is to be named.
    const std::string hinted = WithMissingDriverHint(connectionString, error.what());
    if (hinted == error.what()) throw;
    throw DatabaseError(hinted, error.SqlState());
  }
  m_connected = true;
  if (static_cast<size_t>(completedLength) >= completed.size())
    throw DatabaseError("The completed connection string is longer than " +
                            std::to_string(completed.size() - 1) + " characters.",
                        "01004");
  completed.resize(static_cast<size_t>(completedLength));
  m_completed = completed;
  return completed;
}

bool OdbcConnection::IsReadOnly() {
  if (m_readOnly < 0) {
    char answer[8] = {};
    SQLSMALLINT length = 0;
    CheckOdbc(SQLGetInfo(m_handle, SQL_DATA_SOURCE_READ_ONLY, answer, sizeof answer, &length), SQL_HANDLE_DBC,
              m_handle);
    m_readOnly = answer[0] == 'Y' ? 1 : 0;
  }
  return m_readOnly == 1;
}

std::string OdbcConnection::DbmsName() const {
  char name[64] = {};
  SQLSMALLINT length = 0;
  CheckOdbc(SQLGetInfo(m_handle, SQL_DBMS_NAME, name, sizeof name, &length), SQL_HANDLE_DBC, m_handle);
  return name;
}

bool OdbcConnection::IsDead() const {
  SQLUINTEGER dead = SQL_CD_FALSE;
  return SQL_SUCCEEDED(SQLGetConnectAttr(m_handle, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
         dead == SQL_CD_TRUE;
}
