#pragma once
// The folder chooser as the user dialogs use it: a path, or nothing.

#include <string>

#include "framework/FrameworkTypes.h"

class CWnd;

// Shows the system's folder chooser with `title` and BIF_ `flags`. Returns the chosen path,
// or an empty string when the user cancelled or the choice gave no path (reported to the
// user as "Failed to get directory").
std::string BrowseForDirectory(CWnd* owner, const std::string& title, UINT flags);
