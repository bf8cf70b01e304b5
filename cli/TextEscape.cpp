#include "cli/TextEscape.h"

#include <algorithm>
#include <cstdio>

#include "base/Utf8.h"

namespace {

unsigned char Byte(const std::string& text, size_t at) { return static_cast<unsigned char>(text[at]); }

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
    const size_t length = Utf8SequenceLength(text, at);
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
    const size_t length = Utf8SequenceLength(text, at);
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
    if ((length = Utf8SequenceLength(text, at)) == 0) return false;
  return true;
}

std::string Quoted(const std::string& text) { return "\"" + EscapedForTerminal(text) + "\""; }
