#include "ui/GetLocalAddresses.h"

#include "platform/LocalAddresses.h"

int GetLocalAddresses(std::vector<std::string>& addresses) {
  if (auto found = LocalAddresses()) addresses.insert(addresses.end(), found->begin(), found->end());
  return static_cast<int>(addresses.size());
}
