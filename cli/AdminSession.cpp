#include "cli/AdminSession.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <iostream>

#include "cli/CliError.h"
#include "cli/NameCache.h"
#include "db/ConnectionPool.h"
#include "db/DatabaseError.h"
#include "db/GuardedOperation.h"
#include "db/RegistryKey.h"
#include "db/SessionSettings.h"
#include "framework/MessageBox.h"
#include "platform/TerminationSignals.h"

namespace {

constexpr const char* kLockedText = "Database Access is locked. It is being accessed from another machine.";
constexpr const char* kUnreachableText = "Unable to Connect to Database.";

// The worst the model met during the run, in rising order.
enum class Trouble { none, failed, lost, commitUnknown };

struct RunState {
  std::string lastMessage;
  Trouble trouble = Trouble::none;
  bool lockLeftSet = false;
  bool changeMade = false;
  bool lockRefusalsMuted = false;  // while --wait tries the log-in again
  int lockWaitSeconds = 0;
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
    if (!State().lockRefusalsMuted || !text.starts_with(kLockedText))
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
      if (!State().changeMade) return kExitNoConnection;
      break;
    case Trouble::failed:
      if (status == 0 && !State().changeMade) status = kExitRefused;
      break;
    case Trouble::none:
      break;
  }
  return status == 0 && State().lockLeftSet ? kExitLockLeftSet : status;
}

void SetLockWait(int seconds) { State().lockWaitSeconds = seconds; }

namespace {

// Waits up to `milliseconds`; false when a termination signal came first.
bool PauseUnlessTerminated(int milliseconds) {
  pollfd watched{TerminationDescriptor(), POLLIN, 0};
  return !TerminationRequested() && poll(&watched, 1, milliseconds) == 0 && !TerminationRequested();
}

}  // namespace

bool AdminSession::LogInWaitingForTheLock(const std::string& password) {
  using Clock = std::chrono::steady_clock;
  const auto end = Clock::now() + std::chrono::seconds(State().lockWaitSeconds);
  for (;;) {
    State().lastMessage.clear();
    if (database.LogIn("admin", password)) break;
    const bool locked = State().lastMessage.starts_with(kLockedText);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (!locked || left <= 0 || !PauseUnlessTerminated(static_cast<int>(std::min<long>(left, 250)))) break;
    if (!State().lockRefusalsMuted)
      std::cerr << "veltrane-admin: waiting up to " << State().lockWaitSeconds << " s for the session lock\n";
    State().lockRefusalsMuted = true;
  }
  const bool waited = State().lockRefusalsMuted;
  State().lockRefusalsMuted = false;
  if (waited && State().lastMessage.starts_with(kLockedText) && !TerminationRequested())
    std::cerr << "veltrane-admin: the session lock is still held\n";
  return database.lockHeld != 0;
}

AdminSession::AdminSession(const std::string& password) {
  if (LogInWaitingForTheLock(password)) return;
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
  if (std::uncaught_exceptions() == 0 && !TerminationRequested()) WriteNameCache();
  database.Close();
  State().lockLeftSet = State().lockLeftSet || database.lockLeftSet;
}

void RequireDone(int result) {
  if (!result) throw Refused();
}

void RequireChangeMade(int result) {
  RequireDone(result);
  State().changeMade = true;
}
