#pragma once
// Where veltrane-admin finds what it sets up: the schema scripts (installed under
// share/veltrane/schema beside the program's bin/, else the source tree's schema/ for a
// program run from its build), and the embedded SQLite database, veltrane.db in the folder
// that holds the registry store (the per-user folder under the run command,
// /var/lib/veltrane for an installed copy).

#include <string>

std::string SchemaFolder();
std::string EmbeddedDatabasePath();

// A connection string with the values of PWD and Password replaced by "***".
std::string MaskedConnectionString(const std::string& connectionString);
