#include "cli/TerminationSignals.h"

#include <sys/signalfd.h>
#include <unistd.h>

#include <initializer_list>

namespace {

TerminationSignals* active = nullptr;

}  // namespace

TerminationSignals* ActiveTerminationSignals() { return active; }

TerminationSignals::TerminationSignals() {
  sigemptyset(&blocked_);
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&blocked_, signal);
  sigprocmask(SIG_BLOCK, &blocked_, &previous_);
  descriptor_ = signalfd(-1, &blocked_, SFD_NONBLOCK | SFD_CLOEXEC);
  // A reader that went away (veltrane-admin user list | head) must not end the process with
  // the lock still held: writes fail instead, and the session closes as usual.
  std::signal(SIGPIPE, SIG_IGN);
  active = this;
}

TerminationSignals::~TerminationSignals() {
  active = nullptr;
  if (descriptor_ >= 0) close(descriptor_);
  sigprocmask(SIG_SETMASK, &previous_, nullptr);
}

bool TerminationSignals::Arrived() {
  signalfd_siginfo info{};
  if (!arrived_ && descriptor_ >= 0 && read(descriptor_, &info, sizeof info) == sizeof info)
    arrived_ = static_cast<int>(info.ssi_signo);
  return arrived_ != 0;
}

void TerminationSignals::EndByArrivedSignal() {
  if (!Arrived()) return;
  std::signal(arrived_, SIG_DFL);
  sigprocmask(SIG_SETMASK, &previous_, nullptr);
  raise(arrived_);
}
