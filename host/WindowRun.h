#pragma once

#include <string>

// Runs the library's applets with real windows: the Control Panel window, or with
// `openAtOnce` the first applet straight away. Returns the program's exit status; without a
// display to show windows on, says so and how to get one, and returns 1.
int RunWithWindows(int argc, char** argv, const std::string& libraryPath, bool openAtOnce);
