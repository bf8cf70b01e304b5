#include "db/EmbeddedEngine.h"

#include <dlfcn.h>

namespace {

// Of SQLite's C interface (sqlite3.h), which keeps these values for good.
constexpr int kConfigMultiThread = 2;  // SQLITE_CONFIG_MULTITHREAD
constexpr int kConfigMemStatus = 9;    // SQLITE_CONFIG_MEMSTATUS

}  // namespace

void PrepareEmbeddedEngine() {
  // Loaded by its name from the system's folders, as the driver loads it; kept loaded, so the
  // driver finds it set up. A library already started refuses the settings, harmlessly.
  void* library = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_LOCAL);
  if (!library) return;
  using Config = int (*)(int, ...);
  const auto config = reinterpret_cast<Config>(dlsym(library, "sqlite3_config"));
  if (!config) return;
  config(kConfigMultiThread);
  config(kConfigMemStatus, 0);
}
