#include "db/ConnectString.h"

#include "db/ConnectionAttributes.h"

namespace {

constexpr std::string_view kOdbcPrefix = "ODBC;";

}  // namespace

std::string& connectString() {
  // Never destroyed: the session may still connect while the process unloads.
  static std::string* const text = new std::string("ODBC;DSN=Veltrane");
  return *text;
}

std::string WithoutOdbcPrefix(const std::string& text) {
  return text.starts_with(kOdbcPrefix) ? text.substr(kOdbcPrefix.size()) : text;
}

std::optional<std::string> DatabaseAttribute(const std::string& connectionString) {
  for (const ConnectionAttribute& attribute : ParseConnectionAttributes(connectionString))
    if (attribute.assigned && attribute.Is("Database")) return attribute.Plain();
  return std::nullopt;
}
