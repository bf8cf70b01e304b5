#pragma once
// How the model tells a front end that something failed: one report per failure, by kind, to
// the sink the front end installed. The model shows nothing itself; the applet turns a report
// into a message box, the command line into a line on standard error and an exit status.
// Until a sink is installed, a report that is not quiet is written to standard error.

#include <functional>
#include <string>

enum class FailureKind {
  refused,        // the model's own verdict: a row exists already, is missing, may not change
  locked,         // another session holds the session lock
  unreachable,    // no connection to the database could be made
  lost,           // the connection failed while a statement ran
  commitUnknown,  // the connection was lost at a commit: the change may or may not be made
  failed,         // the database refused a statement (or dropped the connection without saying so)
  lockLeftSet,    // the session lock could not be released, and does not go by itself
  unexpected,     // anything else, out of memory included
};

struct Failure {
  FailureKind kind;
  std::string text;  // what the user is told: the driver's diagnostic, or the model's sentence
  bool quiet;        // the operation was asked to show nothing; reported for the record only
};

using FailureSink = std::function<void(const Failure&)>;

// Installs the sink for all later reports and returns the one it replaces; an empty sink
// restores the standard-error fallback.
FailureSink SetFailureSink(FailureSink sink);

void ReportFailure(const Failure& failure);
