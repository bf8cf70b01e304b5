#include "cli/TextEscape.h"

#include <algorithm>
#include <cstdio>

namespace {

unsigned char Byte(const std::string& text, size_t at) { return static_cast<unsigned char>(text[at]); }

// The length of the valid UTF-8 sequence starting at `at` (1 for ASCII), or 0 when the byte
// there starts none: a stray continuation byte, a truncated or overlong sequence, a
// surrogate or a code point beyond U+10FFFF.
size_t SequenceLength(const std::string& text, size_t at) {
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

void AppendHex(std::string& out, const char* format, unsigned value) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, format, value);
  out += escaped;
}

}  // namespace

std::string EscapedForTerminal(const std::string& text) {
  // Most texts are printable ASCII, which is printed as it is.
  const auto special =
      std::find_if(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c >= 0x7F; });
  std::string out(text.begin(), special);
  for (size_t at = out.size(); at < text.size();) {
    const unsigned char c = Byte(text, at);
    const size_t length = SequenceLength(text, at);
    if (length == 0) {
      AppendHex(out, "\\x%02x", c);
      ++at;
      continue;
    }
    if (c == 0x1B)
      out += "\\e";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\t')
      out += "\\t";
    else if (c < 0x20 || c == 0x7F)
      AppendHex(out, "\\x%02x", c);
    else if (c == 0xC2 && Byte(text, at + 1) < 0xA0)  // U+0080 to U+009F
      AppendHex(out, "\\u%04x", Byte(text, at + 1));
    else
      out.append(text, at, length);
    at += length;
  }
  return out;
}

void AppendJsonString(std::string& out, const std::string& text) {
  out += '"';
  for (size_t at = 0; at < text.size();) {
    const unsigned char c = Byte(text, at);
    const size_t length = SequenceLength(text, at);
    if (length == 0 || c < 0x20) {
      AppendHex(out, "\\u%04x", c);
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else {
      out.append(text, at, length);
      at += length;
      continue;
    }
    ++at;
  }
  out += '"';
}

bool IsUtf8(const std::string& text) {
  for (size_t at = 0, length = 0; at < text.size(); at += length)
    if ((length = SequenceLength(text, at)) == 0) return false;
  return true;
}

std::string Quoted(const std::string& text) { return "\"" + EscapedForTerminal(text) + "\""; }
