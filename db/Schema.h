#pragma once
// The tables a configuration database needs, as the engine's schema script defines them
// (schema/sqlite.sql, schema/postgresql.sql): checking them and making the missing ones.
// Failures are thrown (DatabaseError, std::runtime_error for an unreadable script).

#include <string>
#include <vector>

class ConnectionLease;
class OdbcConnection;

// Whether the database has the table (a statement selecting from it runs).
bool HasTable(OdbcConnection& connection, const std::string& table);

// The statements of a schema script: comment lines dropped, split at semicolons.
std::vector<std::string> SchemaStatements(const std::string& path);

// The script in `folder` for the engine behind `connection` (its DBMS name).
std::string SchemaScriptFor(OdbcConnection& connection, const std::string& folder);

struct TableState {
  std::string name;
  bool present = false;
  std::vector<std::string> missingColumns;  // of a present table
};

// Each table of the script with whether the database has it and which columns it lacks.
std::vector<TableState> CheckTables(ConnectionLease& lease, const std::string& scriptPath);

// Makes every table of the script that the database lacks, with its indexes, in one
// transaction; a table that is there is left alone. Returns the names of the tables made.
std::vector<std::string> CreateMissingTables(ConnectionLease& lease, const std::string& scriptPath);
