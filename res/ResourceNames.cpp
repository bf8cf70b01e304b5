#include "res/ResourceNames.h"

#include "res/ResourceIds.h"

namespace res {

std::span<const ResourceName> ResourceNames() {
#define VELTRANE_NAME_RESOURCE_ID(name, value) {#name, name},
  static constexpr ResourceName kNames[] = {VELTRANE_RESOURCE_IDS(VELTRANE_NAME_RESOURCE_ID)};
#undef VELTRANE_NAME_RESOURCE_ID
  return kNames;
}

}  // namespace res
