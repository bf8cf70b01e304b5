#pragma once
// A message box: its caption in the frame, a letter for its icon (X error, ? question,
// ! warning, i information), the text wrapped to the screen, and its buttons, the default
// one first and focused. Left/Right and Tab move between the buttons, Enter and Space press
// the focused one, a button's first letter presses it, Escape answers Cancel where the box
// has it (or OK where that is all it has).

#include <string>
#include <vector>

#include "framework/terminal/Surface.h"

class MessageSurface : public Surface {
 public:
  MessageSurface(const std::string& text, const std::string& caption, unsigned style);

  void Fit(CellSize screen) override;
  CellSize Smallest() const override { return {7, 24}; }
  void Draw(Canvas& canvas, bool active) override;
  void HandleKey(const Key& key) override;
  bool Done() const override { return m_result != 0; }
  void Abandon() override { m_result = m_results.back(); }
  int Result() const { return m_result; }

 private:
  int ButtonsCols() const;
  int ButtonsStart() const;  // the column of the first button
  void Click(int row, int col);

  std::string m_text, m_caption;
  char m_icon;
  std::vector<int> m_results;  // the buttons, the default first
  std::vector<std::string> m_lines;
  int m_focus = 0;
  int m_result = 0;
  CellSize m_size, m_corner;
};
