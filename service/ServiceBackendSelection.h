#pragma once
// Which service manager the FTP service routines reach.
//
// The service "Veltrane Server" is the systemd unit named by the environment variable
// VELTRANE_SERVICE_UNIT, else the unit the configuration names (the registry's "ServiceUnit"),
// else "veltrane-server.service"; a name without a unit type (no '.') is taken as a service
// and gets ".service".

#include <string>

inline constexpr const char* kFtpServiceUnitVariable = "VELTRANE_SERVICE_UNIT";
inline constexpr const char* kDefaultFtpServiceUnit = "veltrane-server.service";

std::string FtpServiceUnitName(const std::string& configured = {});

// The unit FtpServiceUnitName gives for what the configuration names.
std::string ConfiguredFtpServiceUnit();

// Installs the systemd backend where a system bus answers, and none otherwise: opening the
// service manager then fails (RPC_S_SERVER_UNAVAILABLE), as on a machine without the service.
void SelectServiceBackend(const std::string& configuredUnit = {});
// SelectServiceBackend for the unit the configuration names. A program calls this at its
// start, before the routines of FtpServiceControl.h: the applet when it is opened,
// veltrane-admin before a service command. Tests install a backend of their own instead.
void SelectConfiguredServiceBackend();
