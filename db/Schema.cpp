#include "db/Schema.h"

#include <sqlext.h>
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/OdbcCheck.h"
#include "db/OdbcConnection.h"
#include "db/OdbcStatement.h"
#include "db/Transaction.h"

namespace {

std::string Lowercase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
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

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&name](const std::string& other) {
    return strcasecmp(other.c_str(), name.c_str()) == 0;
  });
}

// The text of column `column` of the fetched row.
std::string ColumnText(SQLHSTMT statement, SQLUSMALLINT column) {
  char text[1024] = {};
  SQLLEN length = 0;
  CheckOdbc(SQLGetData(statement, column, SQL_C_CHAR, text, sizeof text, &length), SQL_HANDLE_STMT,
            statement);
  return length == SQL_NULL_DATA ? std::string() : std::string(text);
}

// The names of the indexes the driver's catalog lists for the table. PostgreSQL keeps the
// table's name folded to lower case.
std::vector<std::string> IndexNames(OdbcConnection& connection, const std::string& table) {
  std::vector<std::string> names;
  for (std::string name : {table, Lowercase(table)}) {
    OdbcStatement statement(connection);
    const SQLHSTMT handle = statement.Handle();
    CheckOdbc(SQLStatistics(handle, nullptr, 0, nullptr, 0, reinterpret_cast<SQLCHAR*>(name.data()), SQL_NTS,
                            SQL_INDEX_ALL, SQL_QUICK),
              SQL_HANDLE_STMT, handle);
    for (SQLRETURN fetched; (fetched = SQLFetch(handle)) != SQL_NO_DATA;) {
      CheckOdbc(fetched, SQL_HANDLE_STMT, handle);
      if (std::string index = ColumnText(handle, 6); !index.empty()) names.push_back(index);
    }
    if (!names.empty()) break;
  }
  return names;
}

// The values of the index's columns held by more than one row, each as "a, b".
std::vector<std::string> DuplicateValues(OdbcConnection& connection, const IndexDefinition& index) {
  std::string columns;
  for (const std::string& column : index.columns) columns += (columns.empty() ? "" : ", ") + column;
  OdbcStatement statement(connection);
  statement.Execute("SELECT " + columns + " FROM " + index.table + " GROUP BY " + columns +
                    " HAVING COUNT(*) > 1 ORDER BY " + columns);
  std::vector<std::string> duplicates;
  for (SQLRETURN fetched; (fetched = SQLFetch(statement.Handle())) != SQL_NO_DATA;) {
    CheckOdbc(fetched, SQL_HANDLE_STMT, statement.Handle());
    std::string values;
    for (SQLUSMALLINT column = 1; column <= index.columns.size(); ++column)
      values += (column == 1 ? "\"" : ", \"") + ColumnText(statement.Handle(), column) + "\"";
    duplicates.push_back(values);
  }
  return duplicates;
}

// Makes the index in a statement of its own; a unique one that duplicates prevent is noted.
void AddIndex(OdbcConnection& connection, const IndexDefinition& index, SchemaChanges& changes) {
  try {
    OdbcStatement(connection).Execute(index.statement);
    changes.indexes.push_back(index.name);
  } catch (const DatabaseError&) {
    if (!index.unique) throw;
    const std::vector<std::string> duplicates = DuplicateValues(connection, index);
    if (duplicates.empty()) throw;
    std::string text = "the unique index " + index.name + " was not made: more than one row of " +
                       index.table + " holds the same";
    for (const std::string& column : index.columns) text += ' ' + column;
    for (const std::string& values : duplicates)
      text += (&values == &duplicates.front() ? " " : "; ") + values;
    changes.preventedIndexes.push_back(text);
  }
}

}  // namespace

bool HasTable(OdbcConnection& connection, const std::string& table) {
  return Selects(connection, "*", table);
}

std::string SchemaScriptFor(OdbcConnection& connection, const std::string& folder) {
  const std::string engine = connection.DbmsName();
  if (engine.find("SQLite") != std::string::npos) return folder + "/sqlite.sql";
  if (engine.find("PostgreSQL") != std::string::npos) return folder + "/postgresql.sql";
  throw std::runtime_error("There is no schema script for the database engine \"" + engine + "\".");
}

std::vector<TableState> CheckTables(ConnectionLease& lease, const std::string& scriptPath) {
  std::vector<TableState> states;
  for (const TableDefinition& table : SchemaDefinitions(scriptPath)) {
    TableState state{table.name, Selects(lease.Connection(), "*", table.name), {}};
    if (state.present)
      for (const std::string& column : table.columns)
        if (!Selects(lease.Connection(), column, table.name)) state.missingColumns.push_back(column);
    states.push_back(state);
  }
  return states;
}

SchemaChanges CreateMissingParts(ConnectionLease& lease, const std::string& scriptPath) {
  OdbcConnection& connection = lease.Connection();
  const std::vector<TableDefinition> tables = SchemaDefinitions(scriptPath);
  // Looked up before the transaction: on PostgreSQL a failed statement ends the transaction.
  std::vector<const TableDefinition*> present, missing;
  for (const TableDefinition& table : tables)
    (Selects(connection, "*", table.name) ? present : missing).push_back(&table);
  SchemaChanges changes;
  if (!missing.empty()) {
    Transaction transaction(lease);
    for (const TableDefinition* table : missing) {
      OdbcStatement(connection).Execute(table->statement);
      for (const IndexDefinition& index : table->indexes) OdbcStatement(connection).Execute(index.statement);
      changes.tables.push_back(table->name);
    }
    transaction.Commit();
  }
  for (const TableDefinition* table : present) {
    const std::vector<std::string> existing = IndexNames(connection, table->name);
    for (const IndexDefinition& index : table->indexes)
      if (!Contains(existing, index.name)) AddIndex(connection, index, changes);
  }
  return changes;
}
