#pragma once
// The attributes of an ODBC connection string, "KEY=value;KEY={value; with braces};…", read
// as the driver manager reads them, so that what the model adds to a string and what it
// refuses in one agree on where each attribute begins and ends.

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ConnectionAttribute {
  std::string key;       // without surrounding blanks, as written
  std::string value;     // as written after "=", braces included
  bool assigned = true;  // false for a word without "="
  size_t valueAt = 0;    // where the value begins in the parsed text

  bool Is(const char* name) const;  // the key, in any case
  // The value without its surrounding blanks and braces.
  std::string Plain() const;
};

std::vector<ConnectionAttribute> ParseConnectionAttributes(const std::string& text);
// The attributes written back, each ended by ";".
std::string JoinConnectionAttributes(const std::vector<ConnectionAttribute>& attributes);
// The text with the value of each attribute for which `replacement` has one replaced in place;
// every other byte stays as it was.
std::string WithValuesReplaced(
    const std::string& text,
    const std::function<std::optional<std::string>(const ConnectionAttribute&)>& replacement);
