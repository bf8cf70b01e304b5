#include "db/ConnectString.h"

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
