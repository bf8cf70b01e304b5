#include "db/UserMatch.h"

namespace {

constexpr char kEscape = '!';

}  // namespace

std::string ContainsPattern(const std::string& text) {
  std::string pattern = "%";
  for (const char c : text) {
    if (c == '%' || c == '_' || c == kEscape) pattern += kEscape;
    pattern += c;
  }
  return pattern + "%";
}

UserCondition UserMatchCondition(const std::string& text) {
  const std::string pattern = ContainsPattern(text);
  return {"(LOWER(UserName) LIKE LOWER(?) ESCAPE '!' OR LOWER(HomeDir) LIKE LOWER(?) ESCAPE '!')",
          {pattern, pattern}};
}
