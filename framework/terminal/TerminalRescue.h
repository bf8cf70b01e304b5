#pragma once
// Gives the terminal back from a signal handler, where the terminal library cannot be
// called: the bytes that undo the screen's modes and the line modes the terminal had are
// prepared while the screen is taken over, and a handler only writes and sets them. It runs
// when the process is about to end by a signal: a crash, or a termination signal that ends
// it at once (a second one while it winds down after the first). The first termination
// signal is passed on to the handler that was there before, and the terminal stays taken
// over for the wind-down.

#include <termios.h>

#include <string>

// Prepares the rescue of a screen just taken over and installs the handlers (once). `undo`
// restores the terminal's own modes; `heldStderr` is the real standard error while
// `heldText` (a file descriptor) holds what was written to it meanwhile, or both are -1.
void ArmTerminalRescue(const termios& shellModes, const std::string& undo, int heldStderr, int heldText);

// The screen was given back the ordinary way: a later signal has nothing to give back.
void DisarmTerminalRescue();

// Blocks the termination signals for its lifetime, so the ordinary give-back is not raced
// by a rescue.
class TerminationSignalsBlocked {
 public:
  TerminationSignalsBlocked();
  ~TerminationSignalsBlocked();
  TerminationSignalsBlocked(const TerminationSignalsBlocked&) = delete;
  TerminationSignalsBlocked& operator=(const TerminationSignalsBlocked&) = delete;

 private:
  sigset_t m_before;
};
