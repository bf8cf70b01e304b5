#pragma once
// SIGTERM, SIGINT and SIGHUP turned from an abrupt end into a request to wind down, so that a
// process releases what it holds (the session lock) on its way out.
//
// The handler only records the signal and writes a byte to a pipe, both async-signal-safe;
// everything else happens in the program's own flow:
//
//   int main() {
//     InstallTerminationHandlers();  // first, before any session or window
//     ...                             // the work, winding down when asked (below)
//     EndByTerminationSignal();       // last: ends as the signal would have, if one came
//     return status;
//   }
//
// Winding down, by the kind of loop the program runs:
//   - a loop that works through commands checks TerminationRequested() before each one;
//   - an event loop watches TerminationDescriptor(), which becomes readable when a request
//     arrives (Qt: a QSocketNotifier on it that quits the application), or polls it with
//     poll() beside its other descriptors; it stays readable from then on, so a watcher stops
//     watching once it has fired.
// Blocking calls are not interrupted (the handler restarts them), so each must be bounded.
// A second request while the process winds down ends it at once, as the signal always would.

// Installs the handler for the three signals. Calling it again changes nothing.
void InstallTerminationHandlers();

// Whether one of the signals has arrived since the handler was installed.
bool TerminationRequested();

// The signal that arrived first, or 0.
int TerminationSignalNumber();

// The read end of the pipe the handler writes to; -1 before InstallTerminationHandlers.
int TerminationDescriptor();

// When a signal arrived: raises it again, now with its default action, so the process ends
// as its sender expects (and its parent sees which signal ended it). Otherwise nothing.
void EndByTerminationSignal();
