#pragma once
// The tables and indexes a configuration database needs, as the engine's schema script
// defines them (db/SchemaScript.h): checking them and making the missing ones. Failures are
// thrown (DatabaseError, std::runtime_error for an unreadable script).

#include <string>
#include <vector>

#include "db/SchemaScript.h"

class ConnectionLease;
class OdbcConnection;

// The script in `folder` for the engine behind `connection` (its DBMS name).
std::string SchemaScriptFor(OdbcConnection& connection, const std::string& folder);

// Whether the database has the table (a statement selecting from it runs).
bool HasTable(OdbcConnection& connection, const std::string& table);

struct TableState {
  std::string name;
  bool present = false;
  std::vector<std::string> missingColumns;  // of a present table
};

// Each table of the script with whether the database has it and which columns it lacks.
std::vector<TableState> CheckTables(ConnectionLease& lease, const std::string& scriptPath);

struct SchemaChanges {
  std::vector<std::string> tables;   // made, with their indexes
  std::vector<std::string> indexes;  // added to tables that were there
  // Unique indexes that rows already in the database prevent, each with the values held by
  // more than one row.
  std::vector<std::string> preventedIndexes;
};

// Makes every table of the script that the database lacks, with its indexes, in one
// transaction; a table that is there is left alone but gets the script's indexes it lacks,
// each on its own. A unique index that duplicate values prevent is reported, not thrown.
SchemaChanges CreateMissingParts(ConnectionLease& lease, const std::string& scriptPath);
