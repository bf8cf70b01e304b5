#pragma once
// The filter of the account lists: an account is kept when its name or its home folder
// contains the text, in any case of ASCII letters. The text is bound, never written into the
// statement; the LIKE wildcards % and _ and the escape character in it stand for themselves.

#include <string>
#include <vector>

#include "db/SqlParam.h"

// `text` as a LIKE pattern, escaped with "!", that finds it anywhere in a value.
std::string ContainsPattern(const std::string& text);

// A condition of a where clause on Users, with the values of its markers.
struct UserCondition {
  std::string sql;
  std::vector<SqlParam> params;
};

// The condition that keeps the accounts matching `text`.
UserCondition UserMatchCondition(const std::string& text);
