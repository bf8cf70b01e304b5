#include "framework/terminal/Utf8.h"

#include <cwchar>
#include <cwctype>

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The length of the sequence a lead byte starts, 0 for a byte that cannot lead one.
int SequenceLength(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 0;
}

}  // namespace

std::u32string DecodeUtf8(const std::string& text) {
  std::u32string decoded;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = SequenceLength(lead);
    if (length == 0 || i + length > text.size()) {
      decoded += kReplacement;
      ++i;
      continue;
    }
    char32_t ch = length == 1 ? lead : lead & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = valid && (next & 0xC0) == 0x80;
      ch = (ch << 6) | (next & 0x3F);
    }
    decoded += valid ? ch : kReplacement;
    i += valid ? length : 1;
  }
  return decoded;
}

std::string EncodeUtf8(const std::u32string& text) {
  std::string encoded;
  for (char32_t ch : text) {
    if (ch < 0x80) {
      encoded += static_cast<char>(ch);
    } else if (ch < 0x800) {
      encoded += static_cast<char>(0xC0 | (ch >> 6));
      encoded += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
      encoded += static_cast<char>(0xE0 | (ch >> 12));
      encoded += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
      encoded += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
      encoded += static_cast<char>(0xF0 | (ch >> 18));
      encoded += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
      encoded += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
      encoded += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return encoded;
}

int CellWidth(char32_t ch) {
  if (ch < 0x80) return ch >= 0x20 && ch != 0x7F ? 1 : 0;
  const int width = wcwidth(static_cast<wchar_t>(ch));
  return width < 0 ? 1 : width;  // unknown to the locale: shown as one replacement cell
}

int CellWidth(const std::u32string& text) {
  int width = 0;
  for (char32_t ch : text) width += CellWidth(ch);
  return width;
}

std::string WithoutMnemonic(const std::string& text, char32_t* mnemonic, int* cellsBefore) {
  std::string shown;
  char32_t found = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != '&' && found == 0) {
        found = static_cast<char32_t>(std::towlower(static_cast<unsigned char>(text[i])));
        if (cellsBefore) *cellsBefore = CellWidth(DecodeUtf8(shown));
      }
    }
    shown += text[i];
  }
  if (mnemonic) *mnemonic = found;
  if (cellsBefore && found == 0) *cellsBefore = -1;
  return shown;
}

std::string Clip(const std::string& text, int width) {
  const std::u32string whole = DecodeUtf8(text);
  if (CellWidth(whole) <= width) return text;
  std::u32string cut;
  int cells = 0;
  for (char32_t ch : whole) {
    if (cells + CellWidth(ch) > width - 1) break;
    cut += ch;
    cells += CellWidth(ch);
  }
  return EncodeUtf8(cut) + (width > 0 ? "\u2026" : "");
}

std::vector<std::string> WrapText(const std::string& text, int width) {
  std::vector<std::string> lines;
  std::u32string rest = DecodeUtf8(text) + U'\n';
  std::u32string line;
  for (char32_t ch : rest) {
    if (ch == U'\n') {
      lines.push_back(EncodeUtf8(line));
      line.clear();
      continue;
    }
    line += ch;
    if (CellWidth(line) <= width) continue;
    const size_t space = line.rfind(U' ');
    const size_t cut = space == std::u32string::npos || space == 0 ? line.size() - 1 : space;
    lines.push_back(EncodeUtf8(line.substr(0, cut)));
    line = line.substr(cut == space ? cut + 1 : cut);
  }
  return lines;
}
