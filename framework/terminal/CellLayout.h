#pragma once
// Where a template's controls go in character cells. A dialog unit is a quarter of a cell
// across and an eighth of one down. Controls whose tops lie within half a row of each other
// share a row, every later top gets a row of its own, and a group box's or list's bottom edge
// gets its own row too, so nothing overlaps. A window taller than the room it has loses
// empty rows first (always from the longest run of them, so groups keep a gap between them
// as long as they can), then rows of its tallest list.

#include <vector>

#include "res/DialogTemplate.h"

struct CellRect {
  int row = 0, col = 0;
  int rows = 1, cols = 1;
  int Bottom() const { return row + rows - 1; }
  int Right() const { return col + cols - 1; }
};

struct CellLayout {
  std::vector<CellRect> cells;  // one per template control, in template order
  int rows = 0, cols = 0;       // the client area

  // Lays the template out in at most `maxRows` rows where it can be done; `rows` says how
  // many it took.
  static CellLayout Of(const res::DialogTemplate& tmpl, int maxRows);
  // Makes a layout of the template as large as `rows` x `cols` in the directions the window
  // can grow, its controls following it by the templates' growth rule (GrowthRule.h).
  void Grow(const res::DialogTemplate& tmpl, int rows, int cols);
};

// Columns from dialog units across, rounded to the nearest cell.
int CellColumn(int dluX);
