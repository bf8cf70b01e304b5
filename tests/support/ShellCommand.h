#pragma once
// A shell command run to its end, for tests that look at another program from outside.

#include <string>

struct ShellOutcome {
  int exitCode = -1;   // -1 when it could not run or was ended by a signal
  std::string output;  // its standard output
};

ShellOutcome RunShellCommand(const std::string& command);
