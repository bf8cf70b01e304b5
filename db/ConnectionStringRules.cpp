#include "db/ConnectionStringRules.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <utility>
#include <vector>

#include "db/DatabaseError.h"
#include "platform/RootTrust.h"

namespace {

using Attribute = std::pair<std::string, std::string>;  // name in upper case, value

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  return upper;
}

// "NAME=value;NAME={value; with braces};..." as the driver manager reads it.
std::vector<Attribute> Attributes(std::string_view text) {
  constexpr auto npos = std::string_view::npos;
  std::vector<Attribute> attributes;
  for (size_t at = 0; at < text.size();) {
    const size_t equals = text.find('=', at);
    if (equals == npos) break;
    size_t valueStart = std::min(text.find_first_not_of(" \t", equals + 1), text.size());
    size_t valueEnd, next;
    if (valueStart < text.size() && text[valueStart] == '{') {
      valueEnd = text.find('}', ++valueStart);
      next = valueEnd == npos ? npos : text.find(';', valueEnd);
    } else {
      valueEnd = next = text.find(';', valueStart);
    }
    attributes.emplace_back(UpperCase(Trimmed(text.substr(at, equals - at))),
                            Trimmed(text.substr(valueStart, valueEnd - valueStart)));
    if (next == npos) break;
    at = next + 1;
  }
  return attributes;
}

bool NamesPath(const Attribute& attribute) {
  const auto& [name, value] = attribute;
  if (name == "DRIVER") return value.find('/') != std::string::npos;
  return (name == "FILEDSN" || name == "SAVEFILE" || name == "LOADEXT") && !value.empty();
}

// The Debian package that brings the driver the string names, or empty when unknown.
std::string PackageOfDriver(const std::string& connectionString) {
  for (const auto& [name, value] : Attributes(connectionString)) {
    if (name != "DRIVER") continue;
    const std::string upper = UpperCase(value);
    if (upper.find("SQLITE") != std::string::npos) return "libsqliteodbc";
    if (upper.find("POSTGRES") != std::string::npos || upper.find("PSQLODBC") != std::string::npos)
      return "odbc-postgresql";
  }
  return {};
}

}  // namespace

void RefuseNamedPathsForRoot(const std::string& connectionString) {
  if (!RunningAsRoot() || RootLoadsDriverPaths()) return;
  for (const Attribute& attribute : Attributes(connectionString)) {
    if (!NamesPath(attribute)) continue;
    throw DatabaseError(
        "As root, a connection string that names a file for the driver manager or the driver (" +
            attribute.first + "=" + attribute.second +
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
