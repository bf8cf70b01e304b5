#include "framework/terminal/Utf8.h"

#include <cwchar>
#include <cwctype>

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
