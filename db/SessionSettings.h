#pragma once
// The session's values in the registry store, in the key kSessionKeyPath of
// HKEY_LOCAL_MACHINE: "ConnectionString" (the database), "ComputerName" (the computer chosen
// last) and "ServiceUnit" (the FTP server's systemd unit), for the programs that set them up.

#include <optional>
#include <string>

inline constexpr const char* kSessionKeyPath = "SOFTWARE\\Orvindel\\Veltrane Server";
inline constexpr const char* kConnectionStringValue = "ConnectionString";
inline constexpr const char* kServiceUnitValue = "ServiceUnit";

// The value, or nothing when the key or the value is missing or cannot be read; error, when
// given, receives 0 or the platform's error code.
std::optional<std::string> ReadSessionSetting(const char* name, long* error = nullptr);

// Why a process running as root does not use the value as it stands (another user wrote it,
// or may change it), as a sentence with the ways on; empty when it does.
std::string RootRefusalOf(const char* name);

// Stores the value, making the key when it is missing; 0 or the platform's error code.
long WriteSessionSetting(const char* name, const std::string& value);

// The folder the registry store keeps its keys in.
std::string RegistryStoreFolder();
