#pragma once
// A value bound to one `?` of a statement: a whole number or a text.

#include <cstdint>
#include <string>
#include <variant>

using SqlParam = std::variant<int32_t, std::string>;
