#include "bench/RawOdbc.h"

#include <sqlext.h>

#include <stdexcept>

void CheckRaw(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, const char* what) {
  if (SQL_SUCCEEDED(result) || result == SQL_NO_DATA) return;
  SQLCHAR state[6] = {}, text[1024] = {};
  SQLINTEGER native = 0;
  SQLSMALLINT length = 0;
  std::string message = std::string(what) + " failed";
  if (handle &&
      SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, 1, state, &native, text, sizeof text, &length)))
    message += ": [" + std::string(reinterpret_cast<char*>(state)) + "] " + reinterpret_cast<char*>(text);
  throw std::runtime_error(message);
}

RawConnection::RawConnection(const std::string& connectionString) {
  CheckRaw(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &m_env), SQL_HANDLE_ENV, nullptr,
           "SQLAllocHandle");
  CheckRaw(SQLSetEnvAttr(m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
           SQL_HANDLE_ENV, m_env, "SQLSetEnvAttr");
  CheckRaw(SQLAllocHandle(SQL_HANDLE_DBC, m_env, &m_dbc), SQL_HANDLE_ENV, m_env, "SQLAllocHandle");
  std::string text = connectionString;
  CheckRaw(SQLDriverConnect(m_dbc, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS, nullptr, 0,
                            nullptr, SQL_DRIVER_NOPROMPT),
           SQL_HANDLE_DBC, m_dbc, "SQLDriverConnect");
}

RawConnection::~RawConnection() {
  SQLDisconnect(m_dbc);
  SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
  SQLFreeHandle(SQL_HANDLE_ENV, m_env);
}

void RawConnection::Execute(const std::string& sql) { RawStatement(*this).Execute(sql); }

void RawConnection::BeginTransaction() {
  CheckRaw(SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
           SQL_HANDLE_DBC, m_dbc, "SQLSetConnectAttr");
}

void RawConnection::Commit() {
  CheckRaw(SQLEndTran(SQL_HANDLE_DBC, m_dbc, SQL_COMMIT), SQL_HANDLE_DBC, m_dbc, "SQLEndTran");
  CheckRaw(SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0),
           SQL_HANDLE_DBC, m_dbc, "SQLSetConnectAttr");
}

RawStatement::RawStatement(RawConnection& connection) {
  CheckRaw(SQLAllocHandle(SQL_HANDLE_STMT, connection.Handle(), &m_stmt), SQL_HANDLE_DBC, connection.Handle(),
           "SQLAllocHandle");
}

RawStatement::~RawStatement() { SQLFreeHandle(SQL_HANDLE_STMT, m_stmt); }

void RawStatement::Execute(const std::string& sql) {
  std::string text = sql;
  CheckRaw(SQLExecDirect(m_stmt, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS), SQL_HANDLE_STMT, m_stmt,
           sql.c_str());
}
