#pragma once
// One key press (or mouse click, or pasted text) as the terminal forms see it, free of the
// terminal library.

#include <string>
#include <utility>

struct Key {
  enum class Code {
    None,
    Char,
    Tab,
    BackTab,
    Enter,
    Escape,
    Up,
    Down,
    Left,
    Right,
    PageUp,
    PageDown,
    Home,
    End,
    Backspace,
    Delete,
    PreviousTab,
    NextTab,
    Function,
    Resize,
    Click,
    Paste
  };
  Code code = Code::None;
  char32_t ch = 0;        // Char: the character typed
  bool alt = false;       // Char: typed with Alt or Meta (a mnemonic)
  int number = 0;         // Function: F1 is 1
  int row = 0, col = 0;   // Click: the screen cell
  std::u32string text{};  // Paste: the text pasted (or the part of it read so far)

  static Key Of(Code code) { return Key{code}; }
  static Key Char(char32_t ch, bool alt = false) { return Key{Code::Char, ch, alt}; }
  static Key Pasted(std::u32string text) { return Key{Code::Paste, 0, false, 0, 0, 0, std::move(text)}; }
  bool Is(Code wanted) const { return code == wanted; }
};
