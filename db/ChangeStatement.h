#pragma once
// Runs one change statement on a borrowed connection (ConnectionPool.h), for changes that a
// recordset cannot make as one statement.

#include <cstdint>
#include <string>
#include <vector>

#include "db/SqlParam.h"

class OdbcConnection;

// Returns the number of rows the statement changed; throws DatabaseError.
int64_t RunChangeStatement(const std::string& sql, const std::vector<SqlParam>& params);

// The same on a connection the caller holds (inside a transaction).
int64_t RunChangeStatement(OdbcConnection& connection, const std::string& sql,
                           const std::vector<SqlParam>& params);
