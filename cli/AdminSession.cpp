#include "cli/AdminSession.h"

#include <algorithm>
#include <iostream>

#include "cli/CliError.h"
#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/GuardedOperation.h"
#include "db/RegistryKey.h"
#include "db/SessionSettings.h"
#include "framework/MessageBox.h"

namespace {

constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";
constexpr const char* kUnreachableText = "Unable to Connect to Database.";

// The worst the model met during the run, in rising order.
enum class Trouble { none, failed, lost, commitUnknown };

struct RunState {
  std::string lastMessage;
  Trouble trouble = Trouble::none;
  bool lockLeftSet = false;
};

RunState& State() {
  static RunState state;
  return state;
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// Names a failure that lost the connection before the model reports the driver's text.
void NoteDatabaseFailure(const DatabaseError& error) {
  Trouble trouble = Trouble::failed;
  if (dynamic_cast<const CommitOutcomeUnknown*>(&error)) {
    trouble = Trouble::commitUnknown;
    std::cerr
        << "veltrane-admin: the database connection was lost while the change was committed: it may or "
           "may not have been made; look with `veltrane-admin ... list` (or `prefs show`) before trying "
           "again\n";
  } else if (error.IsConnectionFailure() || !DatabaseAnswers()) {
    trouble = Trouble::lost;
    std::cerr << "veltrane-admin: the database connection was lost: " << FirstLine(error.what()) << '\n';
  }
  State().trouble = std::max(State().trouble, trouble);
}

}  // namespace

void ReportModelMessagesOnStandardError() {
  SetMessageBoxPresenter([](CWnd*, const std::string& text, const std::string&, unsigned style) {
    std::cerr << "veltrane-admin: " << text << '\n';
    State().lastMessage = text;
    return MessageBoxResults(style).back();  // the most cautious answer; the model asks nothing
  });
  SetDatabaseFailureObserver(NoteDatabaseFailure);
}

int StatusAfterModelFailures(int status) {
  switch (State().trouble) {
    case Trouble::commitUnknown:
      return kExitCommitUnknown;
    case Trouble::lost:
      return kExitNoConnection;
    case Trouble::failed:
      if (status == 0) status = kExitRefused;
      break;
    case Trouble::none:
      break;
  }
  return status == 0 && State().lockLeftSet ? kExitLockLeftSet : status;
}

AdminSession::AdminSession(const std::string& password) {
  State().lastMessage.clear();
  if (database.LogIn("admin", password)) return;
  if (State().lastMessage.starts_with(kLockedText)) throw CliError{kExitLocked, ""};
  if (State().lastMessage.starts_with(kUnreachableText)) throw CliError{kExitNoConnection, ""};
  if (!State().lastMessage.empty()) throw Refused();
  // A log-in that failed without a message met a wrong password, or a store it could not use.
  RegistryKey key;
  if (key.Open(HKEY_LOCAL_MACHINE, kSessionKeyPath, KEY_ALL_ACCESS) != ERROR_SUCCESS)
    throw CliError{kExitNoConnection, "the registry store at " + RegistryStoreFolder() +
                                          " cannot be used by this user (see above)"};
  throw Refused("wrong password for admin");
}

AdminSession::~AdminSession() {
  database.Close();
  State().lockLeftSet = State().lockLeftSet || database.lockLeftSet;
}

void RequireDone(int result) {
  if (!result) throw Refused();
}
