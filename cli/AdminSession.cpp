#include "cli/AdminSession.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <exception>
#include <iostream>
#include <optional>

#include "cli/CliError.h"
#include "cli/NameCache.h"
#include "db/ConnectionPool.h"
#include "db/FailureReport.h"
#include "db/RegistryKey.h"
#include "db/SessionSettings.h"
#include "platform/TerminationSignals.h"

namespace {

// The worst the model met during the run, in rising order.
enum class Trouble { none, failed, lost, commitUnknown };

struct RunState {
  std::optional<FailureKind> lastShown;  // the kind of the last failure told the user
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

// How bad a database failure is for the run. A statement that failed without naming the
// connection may still have lost it: the database is asked once.
Trouble TroubleOf(const Failure& failure) {
  switch (failure.kind) {
    case FailureKind::commitUnknown:
      return Trouble::commitUnknown;
    case FailureKind::lost:
      return Trouble::lost;
    case FailureKind::failed:
      return DatabaseAnswers() ? Trouble::failed : Trouble::lost;
    default:
      return Trouble::none;
  }
}

// Names a failure that lost the connection before the model's own text.
void NoteTrouble(const Failure& failure) {
  const Trouble trouble = TroubleOf(failure);
  if (trouble == Trouble::commitUnknown)
    std::cerr
        << "veltrane-admin: the database connection was lost while the change was committed: it may or "
           "may not have been made; look with `veltrane-admin ... list` (or `prefs show`) before trying "
           "again\n";
  else if (trouble == Trouble::lost)
    std::cerr << "veltrane-admin: the database connection was lost: " << FirstLine(failure.text) << '\n';
  State().trouble = std::max(State().trouble, trouble);
}

void ReportOnStandardError(const Failure& failure) {
  NoteTrouble(failure);
  if (failure.quiet) return;
  if (!State().lockRefusalsMuted || failure.kind != FailureKind::locked)
    std::cerr << "veltrane-admin: " << failure.text << '\n';
  State().lastShown = failure.kind;
}

}  // namespace

void ReportModelFailuresOnStandardError() { SetFailureSink(ReportOnStandardError); }

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
    State().lastShown.reset();
    if (database.LogIn("admin", password)) break;
    const bool locked = State().lastShown == FailureKind::locked;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now()).count();
    if (!locked || left <= 0 || !PauseUnlessTerminated(static_cast<int>(std::min<long>(left, 250)))) break;
    if (!State().lockRefusalsMuted)
      std::cerr << "veltrane-admin: waiting up to " << State().lockWaitSeconds << " s for the session lock\n";
    State().lockRefusalsMuted = true;
  }
  const bool waited = State().lockRefusalsMuted;
  State().lockRefusalsMuted = false;
  if (waited && State().lastShown == FailureKind::locked && !TerminationRequested())
    std::cerr << "veltrane-admin: the session lock is still held\n";
  return database.lockHeld != 0;
}

AdminSession::AdminSession(const std::string& password) {
  if (LogInWaitingForTheLock(password)) return;
  if (State().lastShown == FailureKind::locked) throw CliError{kExitLocked, ""};
  if (State().lastShown == FailureKind::unreachable) throw CliError{kExitNoConnection, ""};
  if (State().lastShown) throw Refused();
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
