#pragma once

#include <string>
#include <vector>

// Appends this host's IPv4 addresses, in the resolver's order, to addresses (entries already
// there stay; nothing is de-duplicated) and returns the number of entries afterwards. When the
// host name cannot be resolved the array is left as it was.
int GetLocalAddresses(std::vector<std::string>& addresses);
