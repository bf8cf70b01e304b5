#pragma once
// The one rule for a whole number typed as text: [blanks][sign]digits[blanks], within int's
// range.

#include <string>

enum class ParseResult { Ok, NotANumber, OutOfRange };

// Sets `value` only when the result is Ok.
ParseResult ParseInt(const std::string& text, int& value);
