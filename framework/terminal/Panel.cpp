#include "framework/terminal/Panel.h"

#include "framework/terminal/Utf8.h"

void DrawPanel(Canvas& canvas, int rows, int cols, const std::string& caption, const std::string& help) {
  for (int row = 1; row < rows - 1; ++row) canvas.Text(row, 1, "", cols - 2, Look::Plain);
  canvas.Frame(0, 0, rows, cols);
  if (!caption.empty()) canvas.Text(0, 2, " " + caption + " ", cols - 4, Look::Title, '\0');
  if (!help.empty()) canvas.Text(rows - 1, 2, " " + Clip(help, cols - 6) + " ", cols - 4, Look::Plain, '\0');
}
