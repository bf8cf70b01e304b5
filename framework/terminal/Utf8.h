#pragma once
// UTF-8 text as the terminal shows it: code points (base/Utf8.h), the cells each takes, and
// the templates' "&" mnemonic markers.

#include <string>
#include <vector>

#include "base/Utf8.h"

int CellWidth(char32_t ch);  // 0, 1 or 2 cells
int CellWidth(const std::u32string& text);
// "&&" shows "&"; a single "&" marks the next character as the mnemonic, which is returned
// folded to lower case (0 when the text has none), with the cells shown before it.
// The text's lines, each broken at spaces (or anywhere, for a long word) to `width` cells.
std::vector<std::string> WrapText(const std::string& text, int width);
// The text as it fits in `width` cells: whole, or cut with a mark (…) in its last cell.
std::string Clip(const std::string& text, int width);
std::string WithoutMnemonic(const std::string& text, char32_t* mnemonic = nullptr,
                            int* cellsBefore = nullptr);
