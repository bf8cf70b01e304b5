#include "db/StreamingOptions.h"

#include <strings.h>

#include <utility>
#include <vector>

namespace {

struct Attribute {
  std::string key;
  std::string value;     // as written, braces included
  bool assigned = true;  // false for a word without "="
};

using Options = std::vector<std::pair<const char*, const char*>>;

Options StreamingOptionsOf(const std::string& dbmsName) {
  if (dbmsName.find("SQLite") != std::string::npos) return {{"StepAPI", "1"}};
  if (dbmsName.find("PostgreSQL") != std::string::npos) return {{"UseDeclareFetch", "1"}, {"Fetch", "1000"}};
  return {};
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The key=value pairs of a connection string; a value in braces may hold semicolons.
std::vector<Attribute> Attributes(const std::string& text) {
  std::vector<Attribute> attributes;
  size_t position = 0;
  while (position < text.size()) {
    const size_t equals = text.find('=', position);
    const size_t semicolon = text.find(';', position);
    if (equals == std::string::npos || (semicolon != std::string::npos && semicolon < equals)) {
      const std::string rest = Trimmed(text.substr(position, semicolon - position));
      if (!rest.empty()) attributes.push_back({rest, {}, false});
      if (semicolon == std::string::npos) break;
      position = semicolon + 1;
      continue;
    }
    size_t end = equals + 1;
    while (end < text.size() && text[end] == ' ') ++end;
    if (end < text.size() && text[end] == '{') {
      const size_t closing = text.find('}', end);
      end = closing == std::string::npos ? text.size() : closing;
    }
    end = std::min(text.find(';', end), text.size());
    attributes.push_back(
        {Trimmed(text.substr(position, equals - position)), text.substr(equals + 1, end - equals - 1)});
    position = end + 1;
  }
  return attributes;
}

Attribute* Find(std::vector<Attribute>& attributes, const char* key) {
  for (Attribute& attribute : attributes)
    if (strcasecmp(attribute.key.c_str(), key) == 0) return &attribute;
  return nullptr;
}

bool Sets(std::vector<Attribute>& attributes, const char* key) {
  const Attribute* attribute = Find(attributes, key);
  return attribute && !Trimmed(attribute->value).empty();
}

}  // namespace

std::string WithStreamingOptions(const std::string& connectionString, const std::string& given,
                                 const std::string& dbmsName) {
  std::vector<Attribute> givenAttributes = Attributes(given);
  std::vector<Attribute> attributes = Attributes(connectionString);
  bool changed = false;
  for (const auto& [key, value] : StreamingOptionsOf(dbmsName)) {
    if (Sets(givenAttributes, key)) continue;
    if (Attribute* named = Find(attributes, key))
      *named = {named->key, value};
    else
      attributes.push_back({key, value});
    changed = true;
  }
  if (!changed) return connectionString;
  std::string joined;
  for (const Attribute& attribute : attributes)
    joined += attribute.assigned ? attribute.key + "=" + attribute.value + ";" : attribute.key + ";";
  return joined;
}
