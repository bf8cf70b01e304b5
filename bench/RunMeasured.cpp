// Runs a program once and measures it from the outside.
//   veltrane-bench-run PROGRAM [ARGUMENTS...]
// prints the wall-clock seconds of the run and its peak RSS in KiB. The program's output goes
// to standard error; when the program fails, so does this.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>

#include "bench/BenchMain.h"
#include "bench/Measure.h"

int main(int argc, char** argv) {
  return BenchMain("veltrane-bench-run", "PROGRAM [ARGUMENTS...]", argc >= 2, [argv] {
    const Stopwatch clock;
    const pid_t child = fork();
    if (child == 0) {
      dup2(STDERR_FILENO, STDOUT_FILENO);
      execvp(argv[1], argv + 1);
      std::perror(argv[1]);
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
      throw std::runtime_error(std::strerror(errno));
    const double seconds = clock.Seconds();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
      throw std::runtime_error(std::string(argv[1]) + " failed");
    std::printf("%.6f %ld\n", seconds, usage.ru_maxrss);
  });
}
