#include "tests/support/TestDatabase.h"

#include <sqlext.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <regex>
#include <stdexcept>

#include "db/OdbcCheck.h"
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"
#include "db/Schema.h"

namespace {

std::string PostgresBase() { return std::getenv("VELTRANE_TEST_PG") ? std::getenv("VELTRANE_TEST_PG") : ""; }

// `connectionString` naming `database` instead of its own, ending with ";" so that options can
// be appended.
std::string WithDatabase(const std::string& connectionString, const std::string& database) {
  std::string result = std::regex_replace(
      connectionString, std::regex("(^|;)database=[^;]*", std::regex::icase), "$1Database=" + database);
  return result.ends_with(';') ? result : result + ';';
}

// Gives `use` a statement on a connection of its own.
void WithStatement(const std::string& connectionString, const std::function<void(OdbcStatement&)>& use) {
  OdbcConnection connection;
  connection.Open(connectionString);
  OdbcStatement statement(connection);
  use(statement);
}

// Runs `sql` on the database that `connectionString` names.
void ExecuteOn(const std::string& connectionString, const std::string& sql,
               const std::vector<SqlParam>& params = {}) {
  WithStatement(connectionString, [&](OdbcStatement& statement) { statement.Execute(sql, params); });
}

}  // namespace

std::vector<Engine> AllEngines() { return {Engine::SQLite, Engine::PostgreSQL}; }

bool IsAvailable(Engine engine) { return engine == Engine::SQLite || !PostgresBase().empty(); }

std::string EngineName(Engine engine) { return engine == Engine::SQLite ? "SQLite" : "PostgreSQL"; }

TestDatabase::TestDatabase(Engine engine) : m_engine(engine) {
  if (engine == Engine::SQLite) {
    m_connectionString = "Driver=SQLite3;StepAPI=1;Database=" + (m_folder.Path() / "config.db").string();
  } else {
    static int counter = 0;
    m_databaseName = "veltrane_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
    ExecuteOn(PostgresBase(), "CREATE DATABASE " + m_databaseName);
    m_connectionString = WithDatabase(PostgresBase(), m_databaseName);
  }
  const std::string file = engine == Engine::SQLite ? "/sqlite.sql" : "/postgresql.sql";
  WithStatement(m_connectionString, [&file](OdbcStatement& statement) {
    for (const auto& text : SchemaStatements(VELTRANE_SCHEMA_DIR + file)) statement.Execute(text);
  });
}

TestDatabase::~TestDatabase() {
  if (m_databaseName.empty()) return;
  try {
    ExecuteOn(PostgresBase(), "DROP DATABASE " + m_databaseName + " WITH (FORCE)");
  } catch (const std::exception&) {
    // A server that is down leaves the database behind; the cluster is thrown away anyway.
  }
}

void TestDatabase::Execute(const std::string& sql, const std::vector<SqlParam>& params) const {
  ExecuteOn(m_connectionString, sql, params);
}

std::vector<std::vector<std::string>> TestDatabase::Query(const std::string& sql,
                                                          const std::vector<SqlParam>& params) const {
  std::vector<std::vector<std::string>> rows;
  WithStatement(m_connectionString, [&](OdbcStatement& executed) {
    executed.Execute(sql, params);
    const SQLHSTMT statement = executed.Handle();
    SQLSMALLINT columns = 0;
    CheckOdbc(SQLNumResultCols(statement, &columns), SQL_HANDLE_STMT, statement);
    for (SQLRETURN result; (result = SQLFetch(statement)) != SQL_NO_DATA;) {
      CheckOdbc(result, SQL_HANDLE_STMT, statement);
      auto& row = rows.emplace_back();
      for (SQLUSMALLINT column = 1; column <= columns; ++column) {
        char text[4096];  // longer than any value of a test database
        SQLLEN length = 0;
        CheckOdbc(SQLGetData(statement, column, SQL_C_CHAR, text, sizeof text, &length), SQL_HANDLE_STMT,
                  statement);
        row.push_back(length == SQL_NULL_DATA ? "(null)" : text);
      }
    }
  });
  return rows;
}

std::string TestDatabase::QueryValue(const std::string& sql, const std::vector<SqlParam>& params) const {
  const auto rows = Query(sql, params);
  if (rows.empty() || rows.front().empty()) throw std::runtime_error("no value from: " + sql);
  return rows.front().front();
}

void TestDatabase::Refuse(const std::string& event, const std::string& table, const std::string& message,
                          const std::string& condition) const {
  const std::string raise = "'" + message + "'";
  if (m_engine == Engine::SQLite) {
    Execute("CREATE TRIGGER refuse BEFORE " + event + " ON " + table + " WHEN " + condition +
            " BEGIN SELECT RAISE(ABORT, " + raise + "); END");
    return;
  }
  Execute("CREATE OR REPLACE FUNCTION refuse() RETURNS trigger AS $$ BEGIN IF " + condition +
          " THEN RAISE EXCEPTION " + raise +
          "; END IF; IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; "
          "END $$ LANGUAGE plpgsql");
  Execute("CREATE TRIGGER refuse BEFORE " + event + " ON " + table +
          " FOR EACH ROW EXECUTE FUNCTION refuse()");
}

void TestDatabase::Allow(const std::string& table) const {
  Execute(m_engine == Engine::SQLite ? "DROP TRIGGER refuse" : "DROP TRIGGER refuse ON " + table);
}
