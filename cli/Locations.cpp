#include "cli/Locations.h"

#include <filesystem>

#include "db/ConnectionAttributes.h"
#include "db/SessionSettings.h"

namespace fs = std::filesystem;

std::string SchemaFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  const fs::path installed = program.parent_path().parent_path() / "share/veltrane/schema";
  if (!error && fs::exists(installed / "sqlite.sql")) return installed.string();
  return VELTRANE_SOURCE_SCHEMA_DIR;
}

std::string EmbeddedDatabasePath() {
  return (fs::path(RegistryStoreFolder()).parent_path() / "veltrane.db").string();
}

std::string MaskedConnectionString(const std::string& connectionString) {
  return WithValuesReplaced(connectionString,
                            [](const ConnectionAttribute& attribute) -> std::optional<std::string> {
                              if (attribute.Is("PWD") || attribute.Is("Password")) return "***";
                              return std::nullopt;
                            });
}
