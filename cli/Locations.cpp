#include "cli/Locations.h"

#include <filesystem>
#include <regex>

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
  static const std::regex password(R"((^|;)\s*(pwd|password)\s*=\s*(\{[^}]*\}|[^;]*))", std::regex::icase);
  return std::regex_replace(connectionString, password, "$1$2=***");
}
