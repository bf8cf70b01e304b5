#include "tests/support/ShellCommand.h"

#include <sys/wait.h>

#include <cstdio>

ShellOutcome RunShellCommand(const std::string& command) {
  ShellOutcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char buffer[4096];
  while (size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, got);
  const int status = pclose(pipe);
  if (WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
  return outcome;
}
