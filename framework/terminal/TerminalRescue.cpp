#include "framework/terminal/TerminalRescue.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>

namespace {

constexpr int kCrashSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};
constexpr int kTerminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

// What a handler reads: written only while the handlers cannot run on this screen.
volatile std::sig_atomic_t g_armed = 0;
char g_undo[256];
size_t g_undoSize = 0;
termios g_shellModes{};
int g_heldStderr = -1, g_heldText = -1;

volatile std::sig_atomic_t g_terminationSeen = 0;
struct sigaction g_previous[std::size(kTerminationSignals)];

void WriteAll(int descriptor, const char* bytes, size_t size) {
  while (size > 0) {
    const ssize_t written = write(descriptor, bytes, size);
    if (written <= 0) return;
    bytes += written;
    size -= static_cast<size_t>(written);
  }
}

// Async-signal-safe: write, tcsetattr, pread and dup2 only.
void RescueNow() {
  if (!g_armed) return;
  g_armed = 0;
  WriteAll(STDOUT_FILENO, g_undo, g_undoSize);
  tcsetattr(STDIN_FILENO, TCSADRAIN, &g_shellModes);
  if (g_heldStderr < 0) return;
  char buffer[4096];
  off_t offset = 0;
  for (ssize_t got; (got = pread(g_heldText, buffer, sizeof buffer, offset)) > 0; offset += got)
    WriteAll(g_heldStderr, buffer, static_cast<size_t>(got));
  dup2(g_heldStderr, STDERR_FILENO);
}

// The signal ends the process as its default action would, once the handler returns (it is
// blocked until then) or, for a fault, once the faulting instruction runs again.
void EndBy(int signal) {
  RescueNow();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void OnCrash(int signal) { EndBy(signal); }

void InstallTerminationHandler(int signal);

void OnTermination(int signal, siginfo_t* info, void* context) {
  const size_t index =
      static_cast<size_t>(std::find(std::begin(kTerminationSignals), std::end(kTerminationSignals), signal) -
                          std::begin(kTerminationSignals));
  const struct sigaction& previous = g_previous[index];
  const bool takesInfo = previous.sa_flags & SA_SIGINFO;
  if (!takesInfo && previous.sa_handler == SIG_IGN) return;
  if (g_terminationSeen || (!takesInfo && previous.sa_handler == SIG_DFL)) {
    EndBy(signal);
    return;
  }
  // The first request: the program's own handler starts the wind-down; the terminal stays
  // taken over for it, and whichever signal comes next ends the process through here.
  g_terminationSeen = 1;
  if (takesInfo)
    previous.sa_sigaction(signal, info, context);
  else
    previous.sa_handler(signal);
  for (const int each : kTerminationSignals) InstallTerminationHandler(each);
}

void InstallTerminationHandler(int signal) {
  struct sigaction action {};
  action.sa_sigaction = OnTermination;
  sigemptyset(&action.sa_mask);
  for (const int each : kTerminationSignals) sigaddset(&action.sa_mask, each);
  action.sa_flags = SA_SIGINFO | SA_RESTART;
  sigaction(signal, &action, nullptr);
}

void InstallHandlers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (const int signal : kCrashSignals) std::signal(signal, OnCrash);
  for (size_t i = 0; i < std::size(kTerminationSignals); ++i) {
    sigaction(kTerminationSignals[i], nullptr, &g_previous[i]);
    InstallTerminationHandler(kTerminationSignals[i]);
  }
}

}  // namespace

void ArmTerminalRescue(const termios& shellModes, const std::string& undo, int heldStderr, int heldText) {
  const TerminationSignalsBlocked blocked;
  g_undoSize = std::min(undo.size(), sizeof g_undo);
  std::memcpy(g_undo, undo.data(), g_undoSize);
  g_shellModes = shellModes;
  g_heldStderr = heldStderr;
  g_heldText = heldText;
  g_armed = 1;
  InstallHandlers();
}

void DisarmTerminalRescue() { g_armed = 0; }

TerminationSignalsBlocked::TerminationSignalsBlocked() {
  sigset_t blocked;
  sigemptyset(&blocked);
  for (const int signal : kTerminationSignals) sigaddset(&blocked, signal);
  sigprocmask(SIG_BLOCK, &blocked, &m_before);
}

TerminationSignalsBlocked::~TerminationSignalsBlocked() { sigprocmask(SIG_SETMASK, &m_before, nullptr); }
