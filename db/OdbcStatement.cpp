#include "db/OdbcStatement.h"

#include <sqlext.h>

#include <algorithm>

#include "db/OdbcCheck.h"
#include "db/OdbcConnection.h"
#include "db/StatementCounter.h"

OdbcStatement::OdbcStatement(OdbcConnection& connection) {
  CheckOdbc(SQLAllocHandle(SQL_HANDLE_STMT, connection.Handle(), &handle_), SQL_HANDLE_DBC, connection.Handle());
}

OdbcStatement::~OdbcStatement() { SQLFreeHandle(SQL_HANDLE_STMT, handle_); }

void OdbcStatement::Execute(const std::string& sql, const std::vector<SqlParam>& params) {
  CheckOdbc(SQLFreeStmt(handle_, SQL_RESET_PARAMS), SQL_HANDLE_STMT, handle_);
  params_ = params;
  BindParams();
  std::string text = sql;
  CountStatementExecution();
  CheckOdbc(SQLExecDirect(handle_, reinterpret_cast<SQLCHAR*>(text.data()), static_cast<SQLINTEGER>(text.size())),
            SQL_HANDLE_STMT, handle_);
}

void OdbcStatement::BindParams() {
  paramLengths_.assign(params_.size(), 0);
  for (size_t i = 0; i < params_.size(); ++i) {
    const auto number = static_cast<SQLUSMALLINT>(i + 1);
    SQLRETURN result;
    if (auto* value = std::get_if<int32_t>(&params_[i])) {
      result = SQLBindParameter(handle_, number, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, value, 0,
                                &paramLengths_[i]);
    } else {
      auto& text = std::get<std::string>(params_[i]);
      paramLengths_[i] = static_cast<SQLLEN>(text.size());
      result = SQLBindParameter(handle_, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                std::max<SQLULEN>(text.size(), 1), 0, text.data(), paramLengths_[i], &paramLengths_[i]);
    }
    CheckOdbc(result, SQL_HANDLE_STMT, handle_);
  }
}

SQLLEN OdbcStatement::RowCount() {
  SQLLEN rows = 0;
  CheckOdbc(SQLRowCount(handle_, &rows), SQL_HANDLE_STMT, handle_);
  return rows;
}
