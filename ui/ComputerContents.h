#pragma once
// What is configured under one computer, found by the computer's key. The session's
// by-computer queries look the computer up by name and take the first computer of that name;
// a rename can give two computers one name, and then the later one is reached by loading
// every row and keeping those that carry its key. Both refill the session's lists as their
// queries do; the results hold only the computer's own rows, in list order.

#include "db/ConfigDatabase.h"

struct ComputerContents {
  VirtualServerList virtualServers;
  UserList users;
};

// The virtual servers whose VServerGroupID is the computer's ID.
VirtualServerList LoadVirtualServersOf(ConfigDatabase& db, const ComputerRecord& computer);

// Those virtual servers and the accounts whose VirtualServerID is one of theirs.
ComputerContents LoadContentsOf(ConfigDatabase& db, const ComputerRecord& computer);
