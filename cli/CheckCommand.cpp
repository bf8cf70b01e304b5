// veltrane-admin check: whether everything needed to log in is in place. It changes nothing,
// and exits 0 only when a log-in would succeed now: 3 while the lock is held, 4 when the
// database cannot be reached.

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Commands.h"
#include "cli/Locations.h"
#include "db/ConfigDatabase.h"
#include "db/ConnectString.h"
#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/Schema.h"
#include "db/SessionLock.h"
#include "db/SessionSettings.h"
#include "platform/GroupAccess.h"
#include "platform/WinTypes.h"
#include "service/FtpServiceControl.h"
#include "service/ServiceBackendSelection.h"
#include "service/ServiceStateText.h"

namespace {

void Line(const std::string& what, const std::string& state) { std::cout << what << ": " << state << '\n'; }

// The tables against the schema; true when every table and column is there.
bool CheckSchema(ConnectionLease& lease) {
  bool complete = true;
  for (const TableState& table : CheckTables(lease, SchemaScriptFor(lease.Connection(), SchemaFolder()))) {
    // Without SessionLocks (a database made before it) the lock is the Flag alone.
    const bool optional = table.name == "SessionLocks" && !table.present;
    std::string state = table.present ? "present"
                        : optional    ? "missing (veltrane-admin init adds it; until then a lock left by a "
                                        "killed session stays until veltrane-admin unlock)"
                                      : "MISSING";
    for (const std::string& column : table.missingColumns)
      state += (&column == &table.missingColumns.front() ? ", MISSING columns: " : ", ") + column;
    complete = complete && (table.present || optional) && table.missingColumns.empty();
    Line("table " + table.name, state);
  }
  return complete;
}

// The session lock; false while another session holds it.
bool ReportLock(const std::string& connectionString) {
  connectString() = "ODBC;" + connectionString;
  ConfigDatabase session;
  session.quiet = 1;
  session.LoadUsers("admin", ConfigDatabase::kUserNamed);
  if (session.users.empty()) {
    Line("administrator", "not made yet (the first log-in makes it)");
    return true;
  }
  switch (SessionLock::Probe(session.users.front().UserID)) {
    case SessionLock::State::free:
      Line("session lock", "free");
      return true;
    case SessionLock::State::ended:
      Line("session lock", "left by a session that ended; the next log-in takes it over");
      return true;
    case SessionLock::State::held:
      Line("session lock", "HELD by a session that is running");
      return false;
    case SessionLock::State::setWithoutProof:
      break;
  }
  Line("session lock", "HELD (veltrane-admin unlock frees a lock left behind)");
  return false;
}

// The connection string's line: the string (password masked), or why there is none.
void ReportConnectionString(const std::optional<std::string>& connectionString, long error) {
  std::string state;
  if (connectionString)
    state = MaskedConnectionString(*connectionString);
  else if (error == ERROR_FILE_NOT_FOUND)
    state = "NONE (veltrane-admin init sets one)";
  else if (const std::string cause = MissingGroupCause(RegistryStoreFolder()); !cause.empty())
    state = "UNREADABLE: " + cause;
  else if (const std::string refusal = RootRefusalOf(kConnectionStringValue); !refusal.empty())
    state = "NOT USED: " + refusal;
  else
    state =
        "UNREADABLE: " + std::string(error == ERROR_ACCESS_DENIED ? "this user may not read it" : "error") +
        " (error " + std::to_string(error) + ")";
  Line("connection string", state);
}

void ReportService() {
  SelectConfiguredServiceBackend();
  const auto state = QueryFtpServiceState();
  Line("service " + ConfiguredFtpServiceUnit(),
       state ? ServiceStateText(*state).text : "Service manager not available");
}

}  // namespace

int RunCheck(Arguments& arguments) {
  arguments.ExpectDone();
  Line("registry store", RegistryStoreFolder());
  long error = 0;
  const auto connectionString = ReadSessionSetting(kConnectionStringValue, &error);
  ReportConnectionString(connectionString, error);
  int status = connectionString ? 0 : kExitRefused;
  if (connectionString) {
    try {
      ConnectionLease lease(*connectionString);
      Line("database", "reached");
      if (!CheckSchema(lease))
        status = kExitRefused;
      else if (!ReportLock(*connectionString))
        status = kExitLocked;
    } catch (const DatabaseError& error) {
      Line("database", std::string("NOT REACHED: ") + error.what());
      status = kExitNoConnection;
    } catch (const std::exception& error) {
      Line("database", std::string("NOT REACHED: ") + error.what());
      status = kExitRefused;
    }
  }
  ReportService();
  Line("ready to log in", status == 0 ? "yes" : "no");
  return status;
}
