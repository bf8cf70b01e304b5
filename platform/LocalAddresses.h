#pragma once
// This host's own IPv4 addresses: what its host name resolves to, in the resolver's order, as
// dotted text. Tests install a source of their own so that pages see chosen addresses.

#include <functional>
#include <optional>
#include <string>
#include <vector>

using LocalAddressSource = std::function<std::optional<std::vector<std::string>>()>;

// The addresses from the installed source; nullopt when the host name cannot be read or
// resolved.
std::optional<std::vector<std::string>> LocalAddresses();

// Installs a source and returns the one it replaces; an empty source restores the resolver.
LocalAddressSource SetLocalAddressSource(LocalAddressSource source);
