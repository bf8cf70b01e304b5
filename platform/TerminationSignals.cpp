#include "platform/TerminationSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace {

constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

volatile std::sig_atomic_t arrivedSignal = 0;
int pipeEnds[2] = {-1, -1};

void OnTermination(int signal) {
  const int savedErrno = errno;
  if (arrivedSignal == 0) arrivedSignal = signal;
  // From now on any of the three ends the process at once, should its wind-down hang.
  struct sigaction defaultAction {};
  defaultAction.sa_handler = SIG_DFL;
  for (const int each : kTerminationSignals) sigaction(each, &defaultAction, nullptr);
  const char byte = 1;
  // The pipe is non-blocking: once it is full, a reader has plenty to wake up for.
  static_cast<void>(!write(pipeEnds[1], &byte, 1));
  errno = savedErrno;
}

}  // namespace

void InstallTerminationHandlers() {
  if (pipeEnds[0] >= 0 || pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = OnTermination;
  sigemptyset(&action.sa_mask);
  for (const int signal : kTerminationSignals) sigaddset(&action.sa_mask, signal);
  action.sa_flags = SA_RESTART;
  for (const int signal : kTerminationSignals) sigaction(signal, &action, nullptr);
}

bool TerminationRequested() { return arrivedSignal != 0; }

int TerminationSignalNumber() { return arrivedSignal; }

int TerminationDescriptor() { return pipeEnds[0]; }

void EndByTerminationSignal() {
  // The handler has restored the default action already.
  if (arrivedSignal != 0) raise(arrivedSignal);
}
