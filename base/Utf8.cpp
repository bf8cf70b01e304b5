#include "base/Utf8.h"

namespace {

unsigned char Byte(const std::string& text, size_t at) { return static_cast<unsigned char>(text[at]); }

}  // namespace

size_t Utf8SequenceLength(const std::string& text, size_t at) {
  const unsigned char lead = Byte(text, at);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  if (Byte(text, at + 1) < low || Byte(text, at + 1) > high) return 0;
  for (size_t next = at + 2; next < at + length; ++next)
    if ((Byte(text, next) & 0xC0) != 0x80) return 0;
  return length;
}

std::u32string DecodeUtf8(const std::string& text) {
  std::u32string decoded;
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8SequenceLength(text, at);
    if (length == 0) {
      decoded += U'\uFFFD';
      ++at;
      continue;
    }
    const unsigned char lead = Byte(text, at);
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t next = at + 1; next < at + length; ++next) code = (code << 6) | (Byte(text, next) & 0x3F);
    decoded += code;
    at += length;
  }
  return decoded;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string EncodeUtf8(const std::u32string& text) {
  std::string encoded;
  for (const char32_t code : text) AppendUtf8(encoded, code);
  return encoded;
}
