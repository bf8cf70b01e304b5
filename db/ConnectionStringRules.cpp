#include "db/ConnectionStringRules.h"

#include <algorithm>
#include <cctype>

#include "db/ConnectionAttributes.h"
#include "db/DatabaseError.h"
#include "platform/RootTrust.h"

namespace {

bool NamesPath(const ConnectionAttribute& attribute) {
  if (attribute.Is("DRIVER")) return attribute.Plain().find('/') != std::string::npos;
  return (attribute.Is("FILEDSN") || attribute.Is("SAVEFILE") || attribute.Is("LOADEXT")) &&
         !attribute.Plain().empty();
}

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
  return text;
}

// The Debian package that brings the driver the string names, or empty when unknown.
std::string PackageOfDriver(const std::string& connectionString) {
  for (const ConnectionAttribute& attribute : ParseConnectionAttributes(connectionString)) {
    if (!attribute.Is("DRIVER")) continue;
    const std::string upper = UpperCase(attribute.Plain());
    if (upper.find("SQLITE") != std::string::npos) return "libsqliteodbc";
    if (upper.find("POSTGRES") != std::string::npos || upper.find("PSQLODBC") != std::string::npos)
      return "odbc-postgresql";
  }
  return {};
}

}  // namespace

void RefuseNamedPathsForRoot(const std::string& connectionString) {
  if (!RunningAsRoot() || RootLoadsDriverPaths()) return;
  for (const ConnectionAttribute& attribute : ParseConnectionAttributes(connectionString)) {
    if (!NamesPath(attribute)) continue;
    throw DatabaseError(
        "As root, a connection string that names a file for the driver manager or the driver (" +
            attribute.key + "=" + attribute.Plain() +
            ") is not used: a member of the group veltrane may have written it. Name a driver "
            "registered in /etc/odbcinst.ini instead, or set " +
            kRootLoadsDriverPathsVariable + "=1 to use it anyway.",
        "28000");
  }
}

std::string WithMissingDriverHint(const std::string& connectionString, const std::string& text) {
  if (text.find("Can't open lib") == std::string::npos &&
      text.find("Data source name not found") == std::string::npos)
    return text;
  const std::string package = PackageOfDriver(connectionString);
  if (package.empty()) return text;
  return text + " (the driver comes with the package " + package + ": sudo apt-get install " + package + ")";
}
