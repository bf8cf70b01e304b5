#include "platform/RootTrust.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace {

bool Said(const char* variable) {
  const char* value = std::getenv(variable);
  return value && std::string_view(value) == "1";
}

}  // namespace

bool RunningAsRoot() { return geteuid() == 0; }

bool RootTrustsGroup() { return Said(kRootTrustsGroupVariable); }

bool RootLoadsDriverPaths() { return Said(kRootLoadsDriverPathsVariable); }
