#pragma once
// A fresh configuration database for one test, made from the engine's schema script:
// a new SQLite file, or a new PostgreSQL database next to the one VELTRANE_TEST_PG names
// (each test gets its own, so test programs may run in parallel). Dropped on destruction.

#include <string>
#include <vector>

#include "db/SqlParam.h"
#include "tests/support/TemporaryFolder.h"

enum class Engine { SQLite, PostgreSQL };

// Both engines. Test names do not depend on the environment (ctest lists them when the
// programs are built); a PostgreSQL case skips itself when VELTRANE_TEST_PG is not set.
std::vector<Engine> AllEngines();
bool IsAvailable(Engine engine);
std::string EngineName(Engine engine);

class TestDatabase {
 public:
  explicit TestDatabase(Engine engine);
  ~TestDatabase();  // drops the database; not copyable, as its folder is not

  // The ODBC connection string of this database, without the "ODBC;" prefix.
  const std::string& ConnectionString() const { return m_connectionString; }

  // Runs a statement directly, for setting up rows and for checks.
  void Execute(const std::string& sql, const std::vector<SqlParam>& params = {}) const;
  // Every row of a query, each column as text; NULL reads "(null)".
  std::vector<std::vector<std::string>> Query(const std::string& sql,
                                              const std::vector<SqlParam>& params = {}) const;
  // The first column of the first row as text.
  std::string QueryValue(const std::string& sql, const std::vector<SqlParam>& params = {}) const;

  // Makes `event` (UPDATE or DELETE) on `table` fail with `message` for each row that `condition`
  // (of OLD) holds for, as a database that refuses the change would; Allow takes that back.
  void Refuse(const std::string& event, const std::string& table, const std::string& message,
              const std::string& condition = "1 = 1") const;
  void Allow(const std::string& table) const;

 private:
  Engine m_engine;
  TemporaryFolder m_folder;
  std::string m_databaseName;  // PostgreSQL only
  std::string m_connectionString;
};
