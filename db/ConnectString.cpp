#include "db/ConnectString.h"

#include <regex>

#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/OdbcConnection.h"

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

std::string CompleteConnectString(const std::string& text) {
  const std::string given = WithoutOdbcPrefix(text);
  const std::string completed = ConnectionLease(given).Connection().Completed();
  // A string that completes to itself (the one stored at the last log-in) needs no second
  // connect. Some drivers complete to a string they cannot connect with again (a DSN-less
  // SQLite connection completes to "DSN=;Database=..."): then the given string is kept.
  if (completed == given) return completed;
  try {
    ConnectionLease again(completed);
    return completed;
  } catch (const DatabaseError&) {
    return given;
  }
}

std::optional<std::string> DatabaseAttribute(const std::string& connectionString) {
  static const std::regex attribute(R"((?:^|;)\s*database\s*=\s*([^;]*))", std::regex::icase);
  std::smatch database;
  if (!std::regex_search(connectionString, database, attribute)) return std::nullopt;
  return database[1].str();
}
