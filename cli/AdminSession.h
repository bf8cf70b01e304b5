#pragma once
// The administrator's session of one command, on the same model, lock and messages as the
// sheet: it logs in as "admin", holds the session lock while the command runs, and closes
// (releasing the lock) on every way out. Every failure the model reports is written to
// standard error, as "veltrane-admin: TEXT".

#include <string>

#include "db/ConfigDatabase.h"

// Writes the failures the model reports to standard error for the rest of the run,
// remembering the last one's kind, so that a failed log-in can be told apart by what the
// model met; a database failure that lost the connection is first named as such, on a line
// of its own.
void ReportModelFailuresOnStandardError();

// The exit status of a run whose command ended with `status`, after what the model met: a
// commit whose answer was lost makes it kExitCommitUnknown, a lost connection
// kExitNoConnection, any other database failure keeps it from 0, and a lock left set turns
// a done command's 0 into kExitLockLeftSet.
int StatusAfterModelFailures(int status);

// How long a log-in refused by the session lock is tried again (--wait); 0, the default,
// tries once.
void SetLockWait(int seconds);

class AdminSession {
 public:
  // Logs in with the password. Throws CliError: kExitLocked while another session holds the
  // lock, kExitNoConnection when the database cannot be reached, kExitRefused for an empty or
  // wrong password or any other refusal.
  // With a lock wait set, a log-in refused by the lock is tried again until it succeeds,
  // the time is up or a termination signal comes.
  explicit AdminSession(const std::string& password);
  ~AdminSession();
  AdminSession(const AdminSession&) = delete;
  AdminSession& operator=(const AdminSession&) = delete;

  ConfigDatabase database;

 private:
  bool LogInWaitingForTheLock(const std::string& password);
};

// Turns a model call's 0 into the error that ends the command with kExitRefused (the model
// has said why already).
void RequireDone(int result);
// The same for a change. Once a change is made, the command's status says so: a connection
// lost afterwards (while the model reads its lists again, or at close) is reported but no
// longer makes the status "not reached" (4), which scripts take for "nothing changed".
void RequireChangeMade(int result);
