#pragma once
// The accounts of one virtual server or of one computer, found by key. The session's queries
// find a virtual server by its address and a computer by its name, taking the first match;
// an edit or a rename can give two of them one address or one name, and then the later one
// is reached by reading every account and keeping its own.

#include <cstdint>
#include <string>

class ConfigDatabase;
struct ComputerRecord;

// Leaves in the session's users exactly the accounts whose VirtualServerID is `serverId`,
// read afresh from the database.
void LoadUsersOfVirtualServer(ConfigDatabase& database, int32_t serverId, const std::string& address);

// Leaves in the session's users exactly the accounts of the computer's virtual servers,
// read afresh from the database.
void LoadUsersOfComputer(ConfigDatabase& database, const ComputerRecord& computer);
