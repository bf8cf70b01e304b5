#pragma once
// A JSON document read whole into values, for the documents veltrane-admin imports. Strings
// hold UTF-8; \uXXXX escapes (surrogate pairs included) become their characters. Numbers
// keep their text.

#include <string>
#include <utility>
#include <vector>

struct JsonValue {
  enum class Kind { null, boolean, number, string, array, object };

  Kind kind = Kind::null;
  std::string text;  // a string's characters, a number's text, "true" or "false"
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;

  // The member named `name` of an object, or nullptr.
  const JsonValue* Find(const std::string& name) const;
};

// Reads one JSON document; anything else, or anything after it, throws std::runtime_error
// naming the line where reading stopped.
JsonValue ParseJson(const std::string& text);
