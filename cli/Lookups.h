#pragma once
// Rows named on the command line, found in the model. A name that matches no row, or more
// rows than one where one is meant, is refused (CliError with kExitRefused) with a message
// that says how to choose.

#include <optional>
#include <string>

#include "db/ConfigDatabase.h"

ComputerRecord FindComputer(ConfigDatabase& database, const std::string& name);

// The virtual server with that address; `computer` chooses among servers that came to share
// the address through an edit, and must be given only then.
VirtualServerRecord FindVirtualServer(ConfigDatabase& database, const std::string& address,
                                      const std::optional<std::string>& computer);

UserRecord FindUser(ConfigDatabase& database, const std::string& name);

// The computer's name for a key, empty when no computer has it.
std::string ComputerName(const ConfigDatabase& database, int32_t computerId);
