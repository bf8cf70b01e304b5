#include "base/ParseInt.h"

#include <charconv>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The number at the start of a text under the rule.
struct LeadingNumber {
  bool found = false;       // false: the text does not begin with a number
  size_t end = 0;           // just after the last digit
  int value = 0;            // held to int's range
  bool outOfRange = false;  // the digits stand for a number beyond int's range
};

LeadingNumber ReadLeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const size_t sign = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const size_t digits = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  LeadingNumber number;
  if (i == digits) return number;
  number.found = true;
  number.end = i;
  const bool negative = digits > sign && text[sign] == '-';
  // from_chars reads a '-' itself but takes no '+'.
  const char* first = text.data() + (negative ? sign : digits);
  if (std::from_chars(first, text.data() + i, number.value).ec == std::errc()) return number;
  number.outOfRange = true;
  number.value = negative ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  return number;
}

}  // namespace

ParseResult ParseInt(const std::string& text, int& value) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (!number.found) return ParseResult::NotANumber;
  for (size_t i = number.end; i < text.size(); ++i)
    if (!IsBlank(text[i])) return ParseResult::NotANumber;
  if (number.outOfRange) return ParseResult::OutOfRange;
  value = number.value;
  return ParseResult::Ok;
}

int LeadingInt(const std::string& text) { return ReadLeadingNumber(text).value; }
