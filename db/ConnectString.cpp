#include "db/ConnectString.h"

#include <regex>
#include <vector>

#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/OdbcConnection.h"
#include "db/StreamingOptions.h"

namespace {

constexpr std::string_view kOdbcPrefix = "ODBC;";

// Whether `text` connects; the connection is kept for the session's first operation.
bool Connects(const std::string& text) {
  try {
    ConnectionLease lease(text);
    return true;
  } catch (const DatabaseError&) {
    return false;
  }
}

}  // namespace

std::string& connectString() {
  // Never destroyed: the session may still connect while the process unloads.
  static std::string* const text = new std::string("ODBC;DSN=Veltrane");
  return *text;
}

std::string WithoutOdbcPrefix(const std::string& text) {
  return text.starts_with(kOdbcPrefix) ? text.substr(kOdbcPrefix.size()) : text;
}

SessionConnectStrings CompleteConnectString(const std::string& text) {
  const std::string given = WithoutOdbcPrefix(text);
  std::string completed;
  std::string engine;
  {
    ConnectionLease lease(given);
    completed = lease.Connection().Completed();
    engine = lease.Connection().DbmsName();
  }
  // Some drivers complete to a string they cannot connect with again (a DSN-less SQLite
  // connection completes to "DSN=;Database=..."): then the given string is kept.
  const std::vector<std::string> candidates =
      completed == given ? std::vector<std::string>{given} : std::vector<std::string>{completed, given};
  for (const std::string& stored : candidates) {
    const std::string used = WithStreamingOptions(stored, given, engine);
    if (used == given || Connects(used)) return {WithoutFilledStreamingOptions(stored, given, engine), used};
  }
  return {given, given};
}

std::optional<std::string> DatabaseAttribute(const std::string& connectionString) {
  static const std::regex attribute(R"((?:^|;)\s*database\s*=\s*([^;]*))", std::regex::icase);
  std::smatch database;
  if (!std::regex_search(connectionString, database, attribute)) return std::nullopt;
  return database[1].str();
}
