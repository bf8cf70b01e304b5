// Runs a program several times and measures each run from the outside.
//   veltrane-bench-run RUNS PROGRAM [ARGUMENTS...]
// prints the median wall-clock seconds of a run and the largest peak RSS of any run in KiB.
// The program's output goes to standard error; a run that fails fails the whole.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/Median.h"
#include "bench/Stopwatch.h"

namespace {

struct Run {
  double seconds = 0;
  long peakKiB = 0;
  bool succeeded = false;
};

Run RunOnce(char** command) {
  const Stopwatch clock;
  const pid_t child = fork();
  if (child == 0) {
    dup2(STDERR_FILENO, STDOUT_FILENO);
    execvp(command[0], command);
    std::perror(command[0]);
    _exit(127);
  }
  Run run;
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child) return run;
  run.seconds = clock.Seconds();
  run.peakKiB = usage.ru_maxrss;
  run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc >= 3 ? std::atoi(argv[1]) : 0;
  if (runs < 1) {
    std::fputs("usage: veltrane-bench-run RUNS PROGRAM [ARGUMENTS...]\n", stderr);
    return 2;
  }
  std::vector<double> seconds;
  long peakKiB = 0;
  for (int i = 0; i < runs; ++i) {
    const Run run = RunOnce(argv + 2);
    if (!run.succeeded) {
      std::fprintf(stderr, "veltrane-bench-run: %s failed\n", argv[2]);
      return 1;
    }
    seconds.push_back(run.seconds);
    peakKiB = std::max(peakKiB, run.peakKiB);
  }
  std::printf("%.6f %ld\n", Median(seconds), peakKiB);
  return 0;
}
