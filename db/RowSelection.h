#pragma once
// A SELECT statement with the values bound to its markers.

#include <string>
#include <vector>

#include "db/SqlParam.h"

struct RowSelection {
  std::string sql;
  std::vector<SqlParam> params;
};
