#pragma once
// Values typed on the command line, checked as the dialogs check them: a refused value ends
// the command with kExitRefused and a message naming the field.

#include <cstdint>
#include <string>

// A whole number from `low` to `high`.
int32_t NumberValue(const std::string& text, const std::string& field, int32_t low, int32_t high);

// Permission letters (U, D, R, C, E in any order) or "all".
int32_t PermissionsValue(const std::string& letters);
