#pragma once
// What a schema script (schema/sqlite.sql, schema/postgresql.sql) defines, read from its
// statements word by word: each CREATE TABLE with its columns, and each CREATE [UNIQUE]
// INDEX with its table and columns. Other statements are kept but define nothing here.

#include <string>
#include <vector>

// The statements of a schema script: comment lines dropped, split at semicolons. Throws
// std::runtime_error when the script cannot be read.
std::vector<std::string> SchemaStatements(const std::string& path);

struct IndexDefinition {
  std::string name;
  std::string table;
  std::vector<std::string> columns;
  bool unique = false;
  std::string statement;
};

struct TableDefinition {
  std::string name;
  std::vector<std::string> columns;
  std::string statement;
  std::vector<IndexDefinition> indexes;  // the script's indexes on this table, in its order
};

// The tables of the script, in its order, each with its indexes.
std::vector<TableDefinition> SchemaDefinitions(const std::string& path);
