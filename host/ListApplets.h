#pragma once

#include <string>

// Prints the name and description of each applet of the library, one line each, separated
// by a tab. Returns the program's exit status.
int ListApplets(const std::string& libraryPath);
