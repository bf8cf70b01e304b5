#include "db/CompletionNames.h"

#include "db/ConnectionPool.h"
#include "db/TextRows.h"

namespace {

void ReadNames(OdbcConnection& connection, const std::string& sql, std::vector<std::string>& names) {
  ForEachTextRow(connection, sql, {}, [&names](const TextRow& row) { names.push_back(row[0]); });
}

}  // namespace

CompletionNames ReadCompletionNames(size_t maxAccounts) {
  CompletionNames names;
  try {
    ConnectionLease lease;
    ReadNames(lease.Connection(), "SELECT Name FROM VirtualServerGroup ORDER BY Name", names.computers);
    ReadNames(lease.Connection(), "SELECT VServerIPAddr FROM VirtualServers ORDER BY VServerIPAddr",
              names.addresses);
    // LIMIT is understood by both engines; the number is written in decimal.
    ReadNames(lease.Connection(),
              "SELECT UserName FROM Users ORDER BY UserName LIMIT " + std::to_string(maxAccounts),
              names.accounts);
  } catch (...) {
    return {};
  }
  return names;
}
