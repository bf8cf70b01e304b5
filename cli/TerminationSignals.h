#pragma once
// Ctrl-C, SIGTERM and SIGHUP while a command holds the session lock. They are blocked for the
// whole run and taken from a signal descriptor instead, so they arrive only where the program
// looks: a prompt that is waiting gives up, a long listing stops, and the session then closes
// (releasing the lock) before the program ends as the signal would have ended it.

#include <csignal>

class TerminationSignals {
 public:
  TerminationSignals();
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The descriptor that becomes readable when a signal is pending, for poll().
  int Descriptor() const { return descriptor_; }
  // Whether a signal has arrived (taking it from the descriptor when it is pending).
  bool Arrived();
  // Ends the process as the signal that arrived would have; nothing when none did.
  void EndByArrivedSignal();

 private:
  sigset_t blocked_{};
  sigset_t previous_{};
  int descriptor_ = -1;
  int arrived_ = 0;
};

// The program's one instance, made by main; null outside a run.
TerminationSignals* ActiveTerminationSignals();
