#include "ui/GetLocalAddresses.h"

#include "platform/LocalAddresses.h"

std::vector<std::string> GetLocalAddresses() { return LocalAddresses().value_or(std::vector<std::string>{}); }
