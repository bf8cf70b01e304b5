#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {

TEST(TerminationSignals, TheFirstSignalIsARequestToWindDownAndASecondOneEndsTheProcess) {
  const pid_t child = fork();
  if (child == 0) {
    InstallTerminationHandlers();
    raise(SIGTERM);
    pollfd request{TerminationDescriptor(), POLLIN, 0};
    if (!TerminationRequested() || TerminationSignalNumber() != SIGTERM || poll(&request, 1, 0) != 1)
      _exit(1);
    raise(SIGINT);  // another of the three, while winding down
    _exit(2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
}

}  // namespace
