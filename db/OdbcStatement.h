#pragma once
// One ODBC statement on an open connection, owned. Every execution is counted
// (StatementCounter.h).

#include <sql.h>

#include <optional>
#include <string>
#include <vector>

#include "db/SqlParam.h"

class OdbcConnection;

class OdbcStatement {
 public:
  explicit OdbcStatement(OdbcConnection& connection);
  ~OdbcStatement();
  OdbcStatement(const OdbcStatement&) = delete;
  OdbcStatement& operator=(const OdbcStatement&) = delete;

  // Binds `params` to the statement's markers in order and executes it.
  void Execute(const std::string& sql, const std::vector<SqlParam>& params = {});

  // Rows changed by the last INSERT, UPDATE or DELETE.
  SQLLEN RowCount();

  // The first column of the next row of the result as text (NULL reads as empty), or none
  // after the last row. For short values: keys, flags, tokens.
  std::optional<std::string> FetchText();

  SQLHSTMT Handle() const { return m_handle; }

 private:
  void BindParams();

  SQLHSTMT m_handle = SQL_NULL_HSTMT;
  std::vector<SqlParam> m_params;  // bound by address: must live until the execution ends
  std::vector<SQLLEN> m_paramLengths;
};
