#include "db/StreamingOptions.h"

#include <utility>
#include <vector>

#include "db/ConnectionAttributes.h"

namespace {

using Options = std::vector<std::pair<const char*, const char*>>;

Options StreamingOptionsOf(const std::string& dbmsName) {
  if (dbmsName.find("SQLite") != std::string::npos) return {{"StepAPI", "1"}};
  if (dbmsName.find("PostgreSQL") != std::string::npos) return {{"UseDeclareFetch", "1"}, {"Fetch", "1000"}};
  return {};
}

ConnectionAttribute* Find(std::vector<ConnectionAttribute>& attributes, const char* key) {
  for (ConnectionAttribute& attribute : attributes)
    if (attribute.Is(key)) return &attribute;
  return nullptr;
}

bool Sets(std::vector<ConnectionAttribute>& attributes, const char* key) {
  const ConnectionAttribute* attribute = Find(attributes, key);
  return attribute && !attribute->Plain().empty();
}

}  // namespace

std::string WithStreamingOptions(const std::string& connectionString, const std::string& given,
                                 const std::string& dbmsName) {
  std::vector<ConnectionAttribute> givenAttributes = ParseConnectionAttributes(given);
  std::vector<ConnectionAttribute> attributes = ParseConnectionAttributes(connectionString);
  bool changed = false;
  for (const auto& [key, value] : StreamingOptionsOf(dbmsName)) {
    if (Sets(givenAttributes, key)) continue;
    if (ConnectionAttribute* named = Find(attributes, key))
      *named = {named->key, value};
    else
      attributes.push_back({key, value});
    changed = true;
  }
  return changed ? JoinConnectionAttributes(attributes) : connectionString;
}

std::string WithoutFilledStreamingOptions(const std::string& completed, const std::string& given,
                                          const std::string& dbmsName) {
  std::vector<ConnectionAttribute> givenAttributes = ParseConnectionAttributes(given);
  std::vector<ConnectionAttribute> attributes = ParseConnectionAttributes(completed);
  const size_t count = attributes.size();
  for (const auto& [key, value] : StreamingOptionsOf(dbmsName))
    if (!Sets(givenAttributes, key))
      std::erase_if(attributes,
                    [key = key](const ConnectionAttribute& attribute) { return attribute.Is(key); });
  return attributes.size() == count ? completed : JoinConnectionAttributes(attributes);
}
