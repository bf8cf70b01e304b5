#include "db/OdbcStatement.h"

#include <sqlext.h>

#include <algorithm>

#include "db/OdbcCheck.h"
#include "db/OdbcConnection.h"
#include "db/StatementCounter.h"

OdbcStatement::OdbcStatement(OdbcConnection& connection) {
  CheckOdbc(SQLAllocHandle(SQL_HANDLE_STMT, connection.Handle(), &m_handle), SQL_HANDLE_DBC,
            connection.Handle());
}

OdbcStatement::~OdbcStatement() { SQLFreeHandle(SQL_HANDLE_STMT, m_handle); }

void OdbcStatement::Execute(const std::string& sql, const std::vector<SqlParam>& params) {
  CheckOdbc(SQLFreeStmt(m_handle, SQL_RESET_PARAMS), SQL_HANDLE_STMT, m_handle);
  m_params = params;
  BindParams();
  std::string text = sql;
  CountStatementExecution();
  CheckOdbc(
      SQLExecDirect(m_handle, reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size())),
      SQL_HANDLE_STMT, m_handle);
}

void OdbcStatement::BindParams() {
  m_paramLengths.assign(m_params.size(), 0);
  for (size_t i = 0; i < m_params.size(); ++i) {
    const auto number = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN result;
    if (auto* value = std::get_if<int32_t>(&m_params[i])) {
      result = SQLBindParameter(m_handle, number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, value, 0,
                                &m_paramLengths[i]);
    } else {
      auto& text = std::get<std::string>(m_params[i]);
      m_paramLengths[i] = static_cast<SQLLEN>(text.size());
      result = SQLBindParameter(m_handle, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                std::max<SQLULEN>(text.size(), 1), 0, text.data(), m_paramLengths[i],
                                &m_paramLengths[i]);
    }
    CheckOdbc(result, SQL_HANDLE_STMT, m_handle);
  }
}

SQLLEN OdbcStatement::RowCount() {
  SQLLEN rows = 0;
  CheckOdbc(SQLRowCount(m_handle, &rows), SQL_HANDLE_STMT, m_handle);
  return rows;
}

std::optional<std::string> OdbcStatement::FetchText() {
  const SQLRETURN fetched = SQLFetch(m_handle);
  CheckOdbc(fetched, SQL_HANDLE_STMT, m_handle);
  if (fetched == SQL_NO_DATA) return std::nullopt;
  char value[256] = {};
  SQLLEN length = 0;
  CheckOdbc(SQLGetData(m_handle, 1, SQL_C_CHAR, value, sizeof value, &length), SQL_HANDLE_STMT, m_handle);
  return std::string(length == SQL_NULL_DATA ? "" : value);
}
