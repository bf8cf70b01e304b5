#pragma once
// The model's session as the benchmark's programs open it: the connection string goes into
// the registry store (the one VELTRANE_REGISTRY_ROOT names), where the session reads it, and
// the session connects quietly, as no one answers message boxes here.

#include <string>

class ConfigDatabase;

void StoreConnectionString(const std::string& connectionString);

// Throws std::runtime_error when the administrator cannot log in.
void ConnectAsAdministrator(ConfigDatabase& session, const std::string& connectionString);
