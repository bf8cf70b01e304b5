#pragma once
// The system's folder chooser, shown by the current backend.

#include <optional>
#include <string>

#include "framework/FrameworkTypes.h"

class CWnd;

// The folder the user chose, or nothing when the user cancelled (or no window can be shown).
// `flags` takes BIF_ values; only file-system folders are ever offered.
std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags);

// Where a chooser for `owner` starts: the folder its path field names (an edit field holding
// an absolute path), or the nearest existing folder above it; the home folder without one.
std::string FolderToStartIn(const CWnd* owner);
