#pragma once
// The resource ids by the names ResourceIds.h gives them, for what takes an id by name (UI
// scripts).

#include <span>

namespace res {

struct ResourceName {
  const char* name;
  int id;
};

// Every name of ResourceIds.h with its id.
std::span<const ResourceName> ResourceNames();

}  // namespace res
