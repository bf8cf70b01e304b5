#pragma once
// The one rule for a whole number written as text: [blanks][sign]digits, within int's range.
// Blanks are the C locale's white space (space, tab, line ends, vertical tab, form feed).

#include <string>

enum class ParseResult { Ok, NotANumber, OutOfRange };

// A number typed into a field or given on a command line: the whole text, blanks allowed
// after the digits too. Sets `value` only when the result is Ok.
ParseResult ParseInt(const std::string& text, int& value);

// The number `text` begins with, whatever follows it ("5 minutes" is 5), held to int's range;
// 0 when it begins with no number. For values other programs stored.
int LeadingInt(const std::string& text);
