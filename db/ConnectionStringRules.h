#pragma once
// What a connection string may name before it is opened, and what its failure tells.

#include <string>

// Throws DatabaseError when the process runs as root and the string names code or a file by
// path for the driver manager or the driver to load, read or write: a Driver= with a "/",
// FILEDSN=, SAVEFILE= or the SQLite driver's LoadExt=. Members of the group may have written
// it; VELTRANE_ROOT_LOADS_DRIVER_PATHS=1 allows it (RootTrust.h).
void RefuseNamedPathsForRoot(const std::string& connectionString);

// The driver manager's text of a failed connect, with the Debian package named that brings
// a driver it could not load.
std::string WithMissingDriverHint(const std::string& connectionString, const std::string& text);
