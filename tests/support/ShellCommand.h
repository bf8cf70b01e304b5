#pragma once
// A shell command run to its end, for tests that look at another program from outside.

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct ShellOutcome {
  int exitCode = -1;   // -1 when it could not run or was ended by a signal
  std::string output;  // its standard output
};

inline ShellOutcome RunShellCommand(const std::string& command) {
  ShellOutcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char buffer[4096];
  while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, got);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
  return outcome;
}
