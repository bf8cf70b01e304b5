#pragma once
// Rows read as texts from a connection the caller holds (inside a transaction, say), for
// statements no recordset reads: a few columns of a table, or a MAX().

#include <functional>
#include <string>
#include <vector>

#include "db/SqlParam.h"

class OdbcConnection;

using TextRow = std::vector<std::string>;

// Runs the SELECT with `params` bound and hands each row to `take`, every column as its whole
// text (NULL as ""). Throws DatabaseError.
void ForEachTextRow(OdbcConnection& connection, const std::string& sql, const std::vector<SqlParam>& params,
                    const std::function<void(const TextRow&)>& take);
