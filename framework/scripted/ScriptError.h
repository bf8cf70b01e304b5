#pragma once
// A scripted run went differently from its script: an unexpected window or message, an
// action a user could not take, a failed expectation.

#include <stdexcept>
#include <string>

class ScriptError : public std::runtime_error {
 public:
  explicit ScriptError(const std::string& what) : std::runtime_error(what) {}
};
