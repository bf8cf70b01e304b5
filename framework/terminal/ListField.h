#pragma once
// A report list: a header line, then as many rows as fit. Only the rows in view are drawn,
// so a list of any length costs the same per key. The selection moves with the arrows,
// PgUp/PgDn, Home/End and typed letters, and is kept in view. "/" starts a filter: the text
// typed after it is the list's filter text (LVN_FILTERCHANGED) once the typing pauses for
// 150 ms, or at Enter, which keeps it; Esc clears it. It shows at the end of the header. While the list is
// still filling, the header ends in a "loading…" mark with the rows so far.

#include "framework/terminal/Field.h"
#include "framework/terminal/RowMotion.h"

class ListField : public Field {
 public:
  using Field::Field;
  void Draw(Canvas& canvas, bool focused) const override;
  bool HandleKey(const Key& key) override;
  void Click(int row, int col) override;
  std::string KeyHelp() const override;
  bool TakesPaste() const override { return m_editingFilter; }
  std::optional<std::chrono::steady_clock::time_point> Due() const override;
  void Settle() override;
  int TopRow() const { return m_top; }  // the first row in view
  int VisibleRows() const { return std::max(1, m_cell.rows - 1); }

 private:
  void DrawHeader(Canvas& canvas, const std::vector<int>& widths, Look look) const;
  void DrawRow(Canvas& canvas, int line, int row, const std::vector<int>& widths, Look look) const;
  void DrawStatus(Canvas& canvas, Look look) const;
  bool HandleFilterKey(const Key& key);
  // Shows the filter as typed; it becomes the list's after a pause in the typing (Settle).
  void HoldFilter(const std::u32string& text);
  std::string FilterShown() const;
  std::vector<int> ColumnWidths() const;  // in cells; the last takes what is left

  RowMotion m_motion;
  bool m_editingFilter = false;
  std::optional<std::string> m_typedFilter;  // typed, not yet the list's
  std::chrono::steady_clock::time_point m_filterDue;
  mutable int m_top = 0;
};
