#pragma once

#include <string>

// Opens the library's first applet on the scripted backend and replays the UI script at
// `scriptPath` against it. Exit status 0 when the script ran to its end with the applet
// returned; otherwise 1, after one line on standard error naming the script's line and
// what happened there instead.
int RunUiScript(const std::string& scriptPath, const std::string& libraryPath);
