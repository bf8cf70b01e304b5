#include "tests/support/TestDatabase.h"

#include <sqlext.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "db/OdbcCheck.h"
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"

namespace {

std::string PostgresBase() {
  const char* base = std::getenv("VELTRANE_TEST_PG");
  return base ? base : "";
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The statements of a schema script: comment lines dropped, split at semicolons.
std::vector<std::string> SchemaStatements(const std::string& script) {
  std::string withoutComments;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);)
    if (!line.starts_with("--")) withoutComments += line + '\n';
  std::vector<std::string> statements;
  std::istringstream parts(withoutComments);
  for (std::string statement; std::getline(parts, statement, ';');)
    if (statement.find_first_not_of(" \t\r\n") != std::string::npos) statements.push_back(statement);
  return statements;
}

// `connectionString` with its Database= entry replaced by `database`.
std::string WithDatabase(const std::string& connectionString, const std::string& database) {
  std::istringstream entries(connectionString);
  std::string result;
  for (std::string entry; std::getline(entries, entry, ';');) {
    std::string key = entry.substr(0, entry.find('='));
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    result += (key == "database" ? "Database=" + database : entry) + ';';
  }
  return result;
}

std::string UniqueDatabaseName() {
  static std::atomic<int> counter{0};
  return "veltrane_test_" + std::to_string(getpid()) + "_" + std::to_string(++counter);
}

std::string ColumnText(SQLHSTMT statement, SQLUSMALLINT column) {
  std::string value;
  char buffer[4096];
  SQLLEN length = 0;
  for (;;) {
    const SQLRETURN result = SQLGetData(statement, column, SQL_C_CHAR, buffer, sizeof buffer, &length);
    if (result == SQL_NO_DATA) break;
    CheckOdbc(result, SQL_HANDLE_STMT, statement);
    if (length == SQL_NULL_DATA) return "(null)";
    const bool truncated = length == SQL_NO_TOTAL || length >= static_cast<SQLLEN>(sizeof buffer);
    value.append(buffer, truncated ? sizeof buffer - 1 : static_cast<size_t>(length));
    if (!truncated) break;
  }
  return value;
}

}  // namespace

std::vector<Engine> AllEngines() { return {Engine::SQLite, Engine::PostgreSQL}; }

bool IsAvailable(Engine engine) { return engine == Engine::SQLite || !PostgresBase().empty(); }

std::string EngineName(Engine engine) { return engine == Engine::SQLite ? "SQLite" : "PostgreSQL"; }

void ExecuteOn(const std::string& connectionString, const std::string& sql) {
  OdbcConnection connection;
  connection.Open(connectionString);
  OdbcStatement statement(connection);
  statement.Execute(sql);
}

TestDatabase::TestDatabase(Engine engine) : engine_(engine) {
  if (engine == Engine::SQLite) {
    connectionString_ = "Driver=SQLite3;Database=" + (folder_.Path() / "config.db").string();
  } else {
    databaseName_ = UniqueDatabaseName();
    ExecuteOn(PostgresBase(), "CREATE DATABASE " + databaseName_);
    connectionString_ = WithDatabase(PostgresBase(), databaseName_);
  }
  RunSchema();
}

TestDatabase::~TestDatabase() {
  if (databaseName_.empty()) return;
  try {
    ExecuteOn(PostgresBase(), "DROP DATABASE " + databaseName_ + " WITH (FORCE)");
  } catch (const std::exception&) {
    // A server that is down leaves the database behind; the cluster is thrown away anyway.
  }
}

void TestDatabase::RunSchema() const {
  const std::string file = engine_ == Engine::SQLite ? "sqlite.sql" : "postgresql.sql";
  OdbcConnection connection;
  connection.Open(connectionString_);
  OdbcStatement statement(connection);
  for (const auto& text : SchemaStatements(ReadFile(std::string(VELTRANE_SCHEMA_DIR) + "/" + file)))
    statement.Execute(text);
}

void TestDatabase::Execute(const std::string& sql, const std::vector<SqlParam>& params) const {
  OdbcConnection connection;
  connection.Open(connectionString_);
  OdbcStatement statement(connection);
  statement.Execute(sql, params);
}

std::vector<std::vector<std::string>> TestDatabase::Query(const std::string& sql,
                                                          const std::vector<SqlParam>& params) const {
  OdbcConnection connection;
  connection.Open(connectionString_);
  OdbcStatement statement(connection);
  statement.Execute(sql, params);
  SQLSMALLINT columns = 0;
  CheckOdbc(SQLNumResultCols(statement.Handle(), &columns), SQL_HANDLE_STMT, statement.Handle());
  std::vector<std::vector<std::string>> rows;
  for (;;) {
    const SQLRETURN result = SQLFetch(statement.Handle());
    if (result == SQL_NO_DATA) break;
    CheckOdbc(result, SQL_HANDLE_STMT, statement.Handle());
    auto& row = rows.emplace_back();
    for (SQLSMALLINT column = 1; column <= columns; ++column)
      row.push_back(ColumnText(statement.Handle(), static_cast<SQLUSMALLINT>(column)));
  }
  return rows;
}

std::string TestDatabase::QueryValue(const std::string& sql, const std::vector<SqlParam>& params) const {
  const auto rows = Query(sql, params);
  if (rows.empty() || rows.front().empty()) throw std::runtime_error("no value from: " + sql);
  return rows.front().front();
}
