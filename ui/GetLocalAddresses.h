#pragma once

#include <string>
#include <vector>

// This host's IPv4 addresses, in the resolver's order; none when the host name cannot be
// resolved.
std::vector<std::string> GetLocalAddresses();
