#include "framework/terminal/CellLayout.h"

#include <algorithm>

#include "framework/GrowthRule.h"
#include "framework/terminal/Utf8.h"

namespace {

constexpr int kDluPerColumn = 4;
constexpr int kDluPerRow = 8;
// Tops closer than this share a row (a label a little lower than its field).
constexpr int kSameRowDlu = kDluPerRow / 2;
// A list keeps at least this many rows (its header and two entries) when rows are dropped.
constexpr int kSmallestList = 3;
// A field gives up cells to the text before it down to this width.
constexpr int kNarrowestField = 6;

bool HasHeight(const res::ControlTemplate& control) {
  return control.kind == res::ControlKind::ListView ||
         (control.kind == res::ControlKind::Button && (control.style & res::BS_TYPEMASK) == res::BS_GROUPBOX);
}

bool IsLabel(const res::ControlTemplate& control) {
  return control.kind == res::ControlKind::Static && (control.style & res::SS_TYPEMASK) != res::SS_BITMAP;
}

bool IsGroup(const res::ControlTemplate& control) {
  return control.kind == res::ControlKind::Button && (control.style & res::BS_TYPEMASK) == res::BS_GROUPBOX;
}

// A horizontal edge of a control: its top, or the bottom of one that has a height.
struct Edge {
  int y;
  bool bottom;
  size_t control;
};

std::vector<Edge> EdgesOf(const res::DialogTemplate& tmpl) {
  std::vector<Edge> edges;
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    const res::Rect& rect = tmpl.controls[i].rect;
    edges.push_back({rect.y, false, i});
    if (HasHeight(tmpl.controls[i])) edges.push_back({rect.y + rect.cy, true, i});
  }
  // At the same height a bottom edge comes first, so what starts there goes below it.
  std::stable_sort(edges.begin(), edges.end(),
                   [](const Edge& a, const Edge& b) { return a.y != b.y ? a.y < b.y : a.bottom > b.bottom; });
  return edges;
}

// The row of each control's top and bottom edge.
struct EdgeRows {
  std::vector<int> top, bottom;
};

EdgeRows AssignRows(const res::DialogTemplate& tmpl) {
  EdgeRows rows{std::vector<int>(tmpl.controls.size()), std::vector<int>(tmpl.controls.size())};
  int row = -1, rowStartY = 0;
  bool rowHoldsTops = false;
  for (const Edge& edge : EdgesOf(tmpl)) {
    const bool joinsRow = !edge.bottom && rowHoldsTops && edge.y - rowStartY < kSameRowDlu;
    if (!joinsRow) {
      row = std::max(row + 1, (edge.y + kDluPerRow / 2) / kDluPerRow);
      rowStartY = edge.y;
      rowHoldsTops = !edge.bottom;
    }
    (edge.bottom ? rows.bottom : rows.top)[edge.control] = row;
  }
  for (size_t i = 0; i < tmpl.controls.size(); ++i)
    if (!HasHeight(tmpl.controls[i])) rows.bottom[i] = rows.top[i];
  return rows;
}

// Removes row `row`: everything below moves up one.
void DropRow(EdgeRows& rows, int row) {
  for (std::vector<int>* edges : {&rows.top, &rows.bottom})
    for (int& edge : *edges)
      if (edge > row) --edge;
}

int RowCount(const EdgeRows& rows) { return *std::max_element(rows.bottom.begin(), rows.bottom.end()) + 1; }

// What each row holds: an edge, or the inside of a list.
std::vector<bool> OccupiedRows(const res::DialogTemplate& tmpl, const EdgeRows& rows) {
  std::vector<bool> occupied(RowCount(rows), false);
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    occupied[rows.top[i]] = occupied[rows.bottom[i]] = true;
    if (tmpl.controls[i].kind == res::ControlKind::ListView)
      std::fill(occupied.begin() + rows.top[i], occupied.begin() + rows.bottom[i] + 1, true);
  }
  return occupied;
}

// The last row of the longest run of empty rows, or -1 when every row holds something.
int EmptyRowToDrop(const std::vector<bool>& occupied) {
  int best = -1, bestRun = 0, run = 0;
  for (int row = 0; row < static_cast<int>(occupied.size()); ++row) {
    run = occupied[row] ? 0 : run + 1;
    if (run > bestRun) {
      bestRun = run;
      best = row;
    }
  }
  return best;
}

// A row inside the tallest list that holds no other control's edge, or -1.
int ListRowToDrop(const res::DialogTemplate& tmpl, const EdgeRows& rows) {
  std::vector<bool> edgeRow(RowCount(rows), false);
  for (size_t i = 0; i < tmpl.controls.size(); ++i) edgeRow[rows.top[i]] = edgeRow[rows.bottom[i]] = true;
  int best = -1, bestHeight = kSmallestList;
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    const int height = rows.bottom[i] - rows.top[i] + 1;
    if (tmpl.controls[i].kind != res::ControlKind::ListView || height <= bestHeight) continue;
    for (int row = rows.bottom[i] - 1; row > rows.top[i]; --row)
      if (!edgeRow[row]) {
        best = row;
        bestHeight = height;
        break;
      }
  }
  return best;
}

void Shrink(const res::DialogTemplate& tmpl, EdgeRows& rows, int maxRows) {
  while (RowCount(rows) > maxRows) {
    int row = EmptyRowToDrop(OccupiedRows(tmpl, rows));
    if (row < 0) row = ListRowToDrop(tmpl, rows);
    if (row < 0) return;
    DropRow(rows, row);
  }
}

// The cells a control's own text needs: a label's with a space after it, a button's with its
// brackets, a check box's with its box. Zero for a control without such a text.
int TextCells(const res::ControlTemplate& control) {
  const int text = CellWidth(DecodeUtf8(WithoutMnemonic(control.text)));
  if (IsLabel(control)) return text + 1;
  if (control.kind == res::ControlKind::Button && !IsGroup(control)) return text + 4;
  return 0;
}

// The nearest control that starts right of `me` on its row, or -1.
int NextOnRow(const CellLayout& layout, size_t me) {
  const CellRect& mine = layout.cells[me];
  int next = -1;
  for (size_t j = 0; j < layout.cells.size(); ++j) {
    const CellRect& other = layout.cells[j];
    if (j == me || other.row > mine.row || other.Bottom() < mine.row || other.col <= mine.col) continue;
    if (next < 0 || other.col < layout.cells[next].col) next = static_cast<int>(j);
  }
  return next;
}

// Where `me` must end at the latest without a control after it: the frame of a group that
// holds it, or the window's edge.
int RightLimit(const res::DialogTemplate& tmpl, const CellLayout& layout, size_t me) {
  const CellRect& mine = layout.cells[me];
  int limit = layout.cols;
  for (size_t j = 0; j < layout.cells.size(); ++j) {
    const CellRect& group = layout.cells[j];
    if (IsGroup(tmpl.controls[j]) && group.row < mine.row && group.Bottom() > mine.row &&
        group.col < mine.col)
      limit = std::min(limit, group.Right());
  }
  return limit;
}

// A text wider than the template allows for (the templates' font is narrower than a cell)
// takes the free cells after it, then, from a field after it, what the field can spare.
void FitTexts(const res::DialogTemplate& tmpl, CellLayout& layout) {
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    CellRect& me = layout.cells[i];
    const int needed = TextCells(tmpl.controls[i]);
    if (me.cols >= needed) continue;
    const int next = NextOnRow(layout, i);
    const int limit = next >= 0 ? layout.cells[next].col : RightLimit(tmpl, layout, i);
    me.cols = std::max(me.cols, std::min(needed, limit - me.col));
    const bool nextIsField = next >= 0 && (tmpl.controls[next].kind == res::ControlKind::Edit ||
                                           tmpl.controls[next].kind == res::ControlKind::ComboBox);
    if (me.cols >= needed || !nextIsField || me.Right() + 1 < layout.cells[next].col) continue;
    CellRect& field = layout.cells[next];
    const int spared = std::clamp(needed - me.cols, 0, field.cols - kNarrowestField);
    field.col += spared;
    field.cols -= spared;
    me.cols += spared;
  }
}

// The fewest cells that show a control's text whole: a label's without the space after it,
// a button's between brackets without the spaces inside them.
int LeastTextCells(const res::ControlTemplate& control) {
  const int cells = TextCells(control);
  if (IsLabel(control)) return cells - 1;
  if (control.kind == res::ControlKind::Button && (control.style & res::BS_TYPEMASK) != res::BS_AUTOCHECKBOX)
    return cells - 2;
  return cells;
}

// Adds `count` columns to the window right after column `at`: what starts right of it moves
// right, and `me` and the groups that reach across it grow.
void Widen(const res::DialogTemplate& tmpl, CellLayout& layout, size_t me, int at, int count) {
  for (size_t j = 0; j < layout.cells.size(); ++j) {
    CellRect& cell = layout.cells[j];
    if (cell.col > at)
      cell.col += count;
    else if (j == me || (IsGroup(tmpl.controls[j]) && cell.Right() > at))
      cell.cols += count;
  }
  layout.cols += count;
}

// A text that the cells around it cannot make room for widens the window at its end.
void WidenForTexts(const res::DialogTemplate& tmpl, CellLayout& layout) {
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    const int missing = LeastTextCells(tmpl.controls[i]) - layout.cells[i].cols;
    if (missing > 0) Widen(tmpl, layout, i, layout.cells[i].Right(), missing);
  }
}

}  // namespace

void CellLayout::Grow(const res::DialogTemplate& tmpl, int toRows, int toCols) {
  const growth::WindowGrowth window = growth::OfWindow(tmpl);
  const int addRows = window.tall ? std::max(0, toRows - rows) : 0;
  const int addCols = window.wide ? std::max(0, toCols - cols) : 0;
  if (addRows == 0 && addCols == 0) return;
  const std::vector<growth::Growth> each = growth::OfControls(tmpl);
  for (size_t i = 0; i < cells.size(); ++i) {
    if (each[i].moveDown) cells[i].row += addRows;
    if (each[i].moveRight) cells[i].col += addCols;
    if (each[i].taller) cells[i].rows += addRows;
    if (each[i].wider) cells[i].cols += addCols;
  }
  rows += addRows;
  cols += addCols;
}

int CellColumn(int dluX) { return (dluX + kDluPerColumn / 2) / kDluPerColumn; }

CellLayout CellLayout::Of(const res::DialogTemplate& tmpl, int maxRows) {
  CellLayout layout;
  layout.cols = CellColumn(tmpl.cx);
  if (tmpl.controls.empty()) return layout;
  EdgeRows rows = AssignRows(tmpl);
  Shrink(tmpl, rows, maxRows);
  layout.rows = RowCount(rows);
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    const res::Rect& rect = tmpl.controls[i].rect;
    const int col = CellColumn(rect.x);
    layout.cells.push_back({rows.top[i], col, rows.bottom[i] - rows.top[i] + 1,
                            std::max(1, CellColumn(rect.x + rect.cx) - col)});
  }
  FitTexts(tmpl, layout);
  WidenForTexts(tmpl, layout);
  return layout;
}
