#pragma once
// One ODBC connection, owned: allocated on construction, disconnected and freed on
// destruction. The driver manager's environment is shared by the whole process.

#include <sql.h>

#include <string>

class OdbcConnection {
 public:
  OdbcConnection();
  ~OdbcConnection();
  OdbcConnection(const OdbcConnection&) = delete;
  OdbcConnection& operator=(const OdbcConnection&) = delete;

  // Connects without ever prompting (there is no driver-manager dialog here) and returns the
  // completed connection string the driver manager hands back, which Completed() keeps.
  std::string Open(const std::string& connectionString);
  const std::string& Completed() const { return m_completed; }

  // Whether the data source says it accepts no changes (asked once per connection).
  bool IsReadOnly();
  // The engine's name as the driver gives it ("PostgreSQL", "SQLite", ...).
  std::string DbmsName() const;
  // Whether the driver knows the connection to have been lost.
  bool IsDead() const;

  SQLHDBC Handle() const { return m_handle; }

 private:
  SQLHDBC m_handle = SQL_NULL_HDBC;
  bool m_connected = false;
  int m_readOnly = -1;  // -1 until asked
  std::string m_completed;
};
