#include "db/ConnectionAttributes.h"

#include <strings.h>

#include <algorithm>

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Where the braced value opened at `open` ends: the first "}" that is not doubled, since a
// "}" inside braces is written "}}"; the text's size when it never closes.
size_t ClosingBrace(const std::string& text, size_t open) {
  for (size_t at = open + 1; at < text.size(); ++at) {
    if (text[at] != '}') continue;
    if (at + 1 < text.size() && text[at + 1] == '}')
      ++at;
    else
      return at;
  }
  return text.size();
}

}  // namespace

bool ConnectionAttribute::Is(const char* name) const { return strcasecmp(key.c_str(), name) == 0; }

std::string ConnectionAttribute::Plain() const {
  const std::string trimmed = Trimmed(value);
  if (trimmed.empty() || trimmed.front() != '{') return trimmed;
  std::string plain;
  const size_t closing = ClosingBrace(trimmed, 0);
  for (size_t at = 1; at < closing; ++at) {
    plain += trimmed[at];
    if (trimmed[at] == '}') ++at;  // the second of a doubled "}"
  }
  return plain;
}

std::vector<ConnectionAttribute> ParseConnectionAttributes(const std::string& text) {
  std::vector<ConnectionAttribute> attributes;
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
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t')) ++end;
    if (end < text.size() && text[end] == '{') {
      end = ClosingBrace(text, end);
    }
    end = std::min(text.find(';', end), text.size());
    attributes.push_back({Trimmed(text.substr(position, equals - position)),
                          text.substr(equals + 1, end - equals - 1), true, equals + 1});
    position = end + 1;
  }
  return attributes;
}

std::string JoinConnectionAttributes(const std::vector<ConnectionAttribute>& attributes) {
  std::string joined;
  for (const ConnectionAttribute& attribute : attributes)
    joined += attribute.assigned ? attribute.key + "=" + attribute.value + ";" : attribute.key + ";";
  return joined;
}

std::string WithValuesReplaced(
    const std::string& text,
    const std::function<std::optional<std::string>(const ConnectionAttribute&)>& replacement) {
  std::string replaced = text;
  const std::vector<ConnectionAttribute> attributes = ParseConnectionAttributes(text);
  // From the end, so that the places of the earlier values stay true.
  for (auto attribute = attributes.rbegin(); attribute != attributes.rend(); ++attribute)
    if (const auto value = attribute->assigned ? replacement(*attribute) : std::nullopt)
      replaced.replace(attribute->valueAt, attribute->value.size(), *value);
  return replaced;
}
