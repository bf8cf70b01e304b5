#pragma once
// What the terminal forms draw on: text in cells with a look, and frames. The screen draws
// with the terminal library; tests draw into a grid of characters. Coordinates are relative
// to an origin that a form moves to its own corner.

#include <string>

enum class Look {
  Plain,
  Title,     // a window's caption, a group's title, a list's header
  Field,     // an edit or a closed combo box
  ReadOnly,  // an edit that cannot be typed into
  Disabled,
  Focused,   // the control with the focus, or the selected row of a focused list
  Selected,  // the selected row of a list without the focus
  Default,   // the default button
  Access,    // the access letter of a label or button (its mnemonic)
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  // Writes UTF-8 `text` from the cell, clipped to `width` cells and padded with `fill` (not
  // padded when `fill` is NUL).
  virtual void Text(int row, int col, const std::string& text, int width, Look look, char fill = ' ') = 0;
  // A frame whose corners are the first and last cells given.
  virtual void Frame(int row, int col, int rows, int cols) = 0;
  // Where the terminal's cursor should stand (the caret of the focused edit).
  virtual void Caret(int row, int col) = 0;
  // Whether Look::Disabled shows dimmed; where not (a monochrome terminal without a dim
  // attribute) disabled controls mark themselves otherwise.
  virtual bool Dims() const { return true; }

  void SetOrigin(int row, int col) {
    m_row = row;
    m_col = col;
  }
  int OriginRow() const { return m_row; }
  int OriginCol() const { return m_col; }

 protected:
  int m_row = 0, m_col = 0;
};

// Moves a canvas's origin for the life of the scope.
class OriginScope {
 public:
  OriginScope(Canvas& canvas, int rowOffset, int colOffset)
      : m_canvas(canvas), m_row(canvas.OriginRow()), m_col(canvas.OriginCol()) {
    canvas.SetOrigin(m_row + rowOffset, m_col + colOffset);
  }
  ~OriginScope() { m_canvas.SetOrigin(m_row, m_col); }
  OriginScope(const OriginScope&) = delete;
  OriginScope& operator=(const OriginScope&) = delete;

 private:
  Canvas& m_canvas;
  int m_row, m_col;
};
