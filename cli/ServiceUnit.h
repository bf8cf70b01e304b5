#pragma once
// Names the FTP server's systemd unit in the configuration (the registry's "ServiceUnit"), for
// the commands that reach the service; service/ServiceBackendSelection.h reads it.

#include <string>

// Refuses a unit without a name (CliError), before anything is written.
void CheckServiceUnitName(const std::string& unit);
// Stores the unit in the configuration; a failure ends the command.
void StoreServiceUnit(const std::string& unit);
