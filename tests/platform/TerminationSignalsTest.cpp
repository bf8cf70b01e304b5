#include "platform/TerminationSignals.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {

// Runs `body` in a child process and returns how it ended, as waitpid reports it.
template <class Body>
int StatusOfChild(Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

TEST(TerminationSignals, TheFirstSignalIsARequestToWindDownAndASecondOneEndsTheProcess)
{
    const int status = StatusOfChild([] {
        InstallTerminationHandlers();
        raise(SIGTERM);
        pollfd request{TerminationDescriptor(), POLLIN, 0};
        if (!TerminationRequested() || TerminationSignalNumber() != SIGTERM || poll(&request, 1, 0) != 1)
            _exit(1);
        raise(SIGINT);  // another of the three, while winding down
        _exit(2);
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGINT) << status;
}

TEST(TerminationSignals, TheProcessEndsByTheSignalThatAskedOnlyWhenOneDid)
{
    EXPECT_TRUE(WIFEXITED(StatusOfChild([] {
        InstallTerminationHandlers();
        EndByTerminationSignal();
    })));
    const int status = StatusOfChild([] {
        InstallTerminationHandlers();
        raise(SIGHUP);
        EndByTerminationSignal();
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGHUP) << status;
}

} // namespace
