#include "framework/ParseInt.h"

#include <charconv>

ParseResult ParseInt(const std::string& text, int& value) {
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  size_t begin = 0, end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  size_t digits = begin;
  if (digits < end && (text[digits] == '+' || text[digits] == '-')) ++digits;
  if (digits == end) return ParseResult::NotANumber;
  for (size_t i = digits; i < end; ++i)
    if (text[i] < '0' || text[i] > '9') return ParseResult::NotANumber;
  // from_chars takes no '+'; a '-' it reads itself.
  const char* first = text.data() + (text[begin] == '+' ? begin + 1 : begin);
  const auto [ptr, error] = std::from_chars(first, text.data() + end, value);
  return error == std::errc() ? ParseResult::Ok : ParseResult::OutOfRange;
}
