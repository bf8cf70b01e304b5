#pragma once
// A terminal for the terminal backend's tests: a grid of characters to draw on and a queue
// of keys to read. Frames are drawn with + - |. Running out of keys throws, so a test whose
// window stays open fails instead of waiting.

#include <deque>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "framework/terminal/Field.h"
#include "framework/terminal/Terminal.h"
#include "framework/terminal/Utf8.h"

// Keys as the tests write them: a key code, a character, a whole key, or a text typed
// character by character.
struct Keys {
  Keys(Key::Code code) : keys{Key::Of(code)} {}
  Keys(char32_t ch) : keys{Key::Char(ch)} {}
  Keys(const Key& key) : keys{key} {}
  Keys(const char32_t* text) {
    for (; *text != U'\0'; ++text) keys.push_back(Key::Char(*text));
  }
  std::vector<Key> keys;
};

// Hands the keys to the field one by one, as its window would.
inline void Press(Field& field, std::initializer_list<Keys> keys) {
  for (const Keys& each : keys)
    for (const Key& key : each.keys) field.HandleKey(key);
}

class TerminalGrid : public Terminal, public Canvas {
 public:
  TerminalGrid(int rows, int cols) : m_size{rows, cols} { Clear(); }

  // Queues the keys for the window to read.
  void Press(std::initializer_list<Keys> keys) {
    for (const Keys& each : keys)
      for (const Key& key : each.keys) m_keys.push_back({key, std::nullopt});
  }
  // The terminal takes the new size as this key is read, and reports it.
  void ResizeTo(CellSize size) { m_keys.push_back({Key::Of(Key::Code::Resize), size}); }
  std::string Line(int row) const { return EncodeUtf8(m_lines.at(row)); }
  std::string Screen() const {
    std::string all;
    for (int row = 0; row < m_size.rows; ++row) all += Line(row) + "\n";
    return all;
  }
  int TextCalls() const { return m_textCalls; }
  std::vector<std::pair<int, int>> accessCells;  // where access letters were drawn (row, column)
  std::vector<std::string> shownBeforeKeys;      // the screen as each key was waited for

  CellSize Size() const override { return m_size; }
  Canvas& BeginFrame() override {
    Clear();
    SetOrigin(0, 0);
    m_textCalls = 0;
    return *this;
  }
  void EndFrame() override {}
  std::optional<Key> WaitForKey(int, int) override {
    if (m_keys.empty())
      throw std::runtime_error("the window waited for a key after the last one:\n" + Screen());
    shownBeforeKeys.push_back(Screen());
    const auto [key, size] = m_keys.front();
    m_keys.pop_front();
    if (size) m_size = *size;  // drawn afresh before the next key
    return key;
  }

  void Text(int row, int col, const std::string& text, int width, Look look, char fill = ' ') override {
    ++m_textCalls;
    if (look == Look::Access) accessCells.push_back({row + m_row, col + m_col});
    int at = col + m_col;
    const int end = at + width;
    for (char32_t ch : DecodeUtf8(text)) {
      if (at + CellWidth(ch) > end) break;
      Put(row + m_row, at, ch);
      at += CellWidth(ch);
    }
    for (; fill != '\0' && at < end; ++at) Put(row + m_row, at, static_cast<char32_t>(fill));
  }
  void Frame(int row, int col, int rows, int cols) override {
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        const bool across = r == 0 || r == rows - 1, down = c == 0 || c == cols - 1;
        if (across || down) Put(row + m_row + r, col + m_col + c, across ? (down ? U'+' : U'-') : U'|');
      }
  }
  void Caret(int, int) override {}

 private:
  void Clear() { m_lines.assign(m_size.rows, std::u32string(m_size.cols, U' ')); }
  void Put(int row, int col, char32_t ch) {
    if (row >= 0 && row < m_size.rows && col >= 0 && col < m_size.cols) m_lines[row][col] = ch;
  }

  CellSize m_size;
  std::vector<std::u32string> m_lines;
  std::deque<std::pair<Key, std::optional<CellSize>>> m_keys;  // with the size it brings, if any
  int m_textCalls = 0;
};
