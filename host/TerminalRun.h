#pragma once

#include <string>

// Opens the library's first applet in the text terminal on standard input and output, and
// gives the terminal back as it was when the applet returns. Returns the program's exit
// status: 1, after one line on standard error, when there is no terminal to use or it is too
// small for a window (the applet then ends as if cancelled).
int RunInTerminal(const std::string& libraryPath);
