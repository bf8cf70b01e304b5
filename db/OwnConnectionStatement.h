#pragma once
// Runs one change statement on a connection of its own, opened with the process-wide
// connect string, for changes that a recordset cannot make as one statement.

#include <cstdint>
#include <string>
#include <vector>

#include "db/SqlParam.h"

// Returns the number of rows the statement changed; throws DatabaseError.
int64_t ExecuteOnOwnConnection(const std::string& sql, const std::vector<SqlParam>& params);
