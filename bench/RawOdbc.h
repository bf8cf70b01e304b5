#pragma once
// The driver manager used directly, for the floors: a connection and its statements with no
// layer of the product in between. Failures throw std::runtime_error with the diagnostics.

#include <sql.h>

#include <string>

// Throws when `result` is an error, naming the handle's first diagnostic.
void CheckRaw(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, const char* what);

class RawConnection {
 public:
  explicit RawConnection(const std::string& connectionString);
  ~RawConnection();
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  SQLHDBC Handle() const { return m_dbc; }
  void Execute(const std::string& sql);
  void BeginTransaction();  // autocommit off until Commit
  void Commit();

 private:
  SQLHENV m_env = SQL_NULL_HENV;
  SQLHDBC m_dbc = SQL_NULL_HDBC;
};

class RawStatement {
 public:
  explicit RawStatement(RawConnection& connection);
  ~RawStatement();
  RawStatement(const RawStatement&) = delete;
  RawStatement& operator=(const RawStatement&) = delete;

  SQLHSTMT Handle() const { return m_stmt; }
  void Execute(const std::string& sql);

 private:
  SQLHSTMT m_stmt = SQL_NULL_HSTMT;
};
