#pragma once
// UTF-8 as every part reads and writes it. A valid sequence is the shortest encoding of a
// code point up to U+10FFFF that is not a surrogate; anything else is a stray byte.

#include <cstddef>
#include <string>

// The length of the valid sequence starting at `at` (1 for ASCII), or 0 when the byte there
// starts none: a stray continuation byte, a truncated or overlong sequence, a surrogate or a
// code point beyond U+10FFFF.
size_t Utf8SequenceLength(const std::string& text, size_t at);

// Each stray byte becomes U+FFFD.
std::u32string DecodeUtf8(const std::string& text);

void AppendUtf8(std::string& out, char32_t code);
std::string EncodeUtf8(const std::u32string& text);
