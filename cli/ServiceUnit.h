#pragma once
// The FTP server's systemd unit as the configuration names it (the registry's "ServiceUnit",
// overridden by VELTRANE_SERVICE_UNIT), for the commands that reach the service.

#include <string>

std::string ConfiguredServiceUnit();
// Stores the unit in the configuration; a failure ends the command.
void StoreServiceUnit(const std::string& unit);
// Makes the service routines reach that unit through the service manager, where one answers.
void UseConfiguredServiceUnit();
