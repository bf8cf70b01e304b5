#include "cli/Values.h"

#include "cli/CliError.h"
#include "db/Permissions.h"
#include "base/ParseInt.h"

int32_t NumberValue(const std::string& text, const std::string& field, int32_t low, int32_t high) {
  int value = 0;
  if (ParseInt(text, value) != ParseResult::Ok || value < low || value > high)
    throw Refused("the " + field + " must be a whole number from " + std::to_string(low) + " to " +
                  std::to_string(high) + ", not \"" + text + "\"");
  return value;
}

int32_t PermissionsValue(const std::string& letters) {
  const auto bits = ParsePermissionLetters(letters);
  if (!bits)
    throw Refused("permissions are letters among U, D, R, C and E, each once, or \"all\"; not \"" + letters +
                  "\"");
  return *bits;
}
