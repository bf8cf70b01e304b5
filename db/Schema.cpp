#include "db/Schema.h"

#include <sqlext.h>

#include <fstream>
#include <regex>
#include <stdexcept>

#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"
#include "db/Transaction.h"

namespace {

struct TableDefinition {
  std::string name;
  std::vector<std::string> columns;
  std::vector<std::string> statements;  // the CREATE TABLE, then its indexes
};

// The first word of each item of the column list, which is the text between the first "("
// and the last ")", split at the commas outside parentheses.
std::vector<std::string> ColumnNames(const std::string& createTable) {
  const size_t open = createTable.find('('), close = createTable.rfind(')');
  std::vector<std::string> names;
  std::string item;
  int depth = 0;
  const auto take = [&] {
    std::smatch word;
    if (std::regex_search(item, word, std::regex(R"(\w+)"))) names.push_back(word.str());
    item.clear();
  };
  for (size_t i = open + 1; i < close; ++i) {
    const char c = createTable[i];
    depth += c == '(' ? 1 : c == ')' ? -1 : 0;
    if (c == ',' && depth == 0)
      take();
    else
      item += c;
  }
  take();
  return names;
}

std::vector<TableDefinition> Definitions(const std::string& scriptPath) {
  static const std::regex createTable(R"(^\s*CREATE\s+TABLE\s+(\w+))", std::regex::icase);
  static const std::regex createIndex(R"(^\s*CREATE\s+INDEX\s+\w+\s+ON\s+(\w+))", std::regex::icase);
  std::vector<TableDefinition> tables;
  for (const std::string& statement : SchemaStatements(scriptPath)) {
    std::smatch match;
    if (std::regex_search(statement, match, createTable)) {
      tables.push_back({match[1].str(), ColumnNames(statement), {statement}});
    } else if (std::regex_search(statement, match, createIndex)) {
      for (auto& table : tables)
        if (table.name == match[1].str()) table.statements.push_back(statement);
    }
  }
  return tables;
}

// Whether a statement selecting nothing runs: the table, or the column, is there.
bool Selects(OdbcConnection& connection, const std::string& what, const std::string& table) {
  try {
    OdbcStatement(connection).Execute("SELECT " + what + " FROM " + table + " WHERE 1=0");
    return true;
  } catch (const DatabaseError&) {
    return false;
  }
}

}  // namespace

bool HasTable(OdbcConnection& connection, const std::string& table) {
  return Selects(connection, "*", table);
}

std::vector<std::string> SchemaStatements(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("The schema script " + path + " cannot be read.");
  std::string script;
  for (std::string line; std::getline(file, line);)
    if (!line.starts_with("--")) script += line + '\n';
  std::vector<std::string> statements;
  for (size_t end; (end = script.find(';')) != std::string::npos; script.erase(0, end + 1))
    statements.push_back(script.substr(0, end));
  return statements;
}

std::string SchemaScriptFor(OdbcConnection& connection, const std::string& folder) {
  const std::string engine = connection.DbmsName();
  if (engine.find("SQLite") != std::string::npos) return folder + "/sqlite.sql";
  if (engine.find("PostgreSQL") != std::string::npos) return folder + "/postgresql.sql";
  throw std::runtime_error("There is no schema script for the database engine \"" + engine + "\".");
}

std::vector<TableState> CheckTables(ConnectionLease& lease, const std::string& scriptPath) {
  std::vector<TableState> states;
  for (const TableDefinition& table : Definitions(scriptPath)) {
    TableState state{table.name, Selects(lease.Connection(), "*", table.name), {}};
    if (state.present)
      for (const std::string& column : table.columns)
        if (!Selects(lease.Connection(), column, table.name)) state.missingColumns.push_back(column);
    states.push_back(state);
  }
  return states;
}

std::vector<std::string> CreateMissingTables(ConnectionLease& lease, const std::string& scriptPath) {
  std::vector<const TableDefinition*> missing;
  const std::vector<TableDefinition> tables = Definitions(scriptPath);
  for (const TableDefinition& table : tables)
    if (!Selects(lease.Connection(), "*", table.name)) missing.push_back(&table);
  std::vector<std::string> made;
  if (missing.empty()) return made;
  Transaction transaction(lease);
  for (const TableDefinition* table : missing) {
    for (const std::string& statement : table->statements)
      OdbcStatement(lease.Connection()).Execute(statement);
    made.push_back(table->name);
  }
  transaction.Commit();
  return made;
}
