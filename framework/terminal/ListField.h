#pragma once
// A report list: a header line, then as many rows as fit. Only the rows in view are drawn,
// so a list of any length costs the same per key. The selection moves with the arrows,
// PgUp/PgDn, Home/End and typed letters, and is kept in view.

#include "framework/terminal/Field.h"
#include "framework/terminal/RowMotion.h"

class ListField : public Field {
 public:
  using Field::Field;
  void Draw(Canvas& canvas, bool focused) const override;
  bool HandleKey(const Key& key) override;
  void Click(int row, int col) override;
  std::string KeyHelp() const override { return "\u2191\u2193 PgUp PgDn move"; }
  int TopRow() const { return m_top; }  // the first row in view
  int VisibleRows() const { return std::max(1, m_cell.rows - 1); }

 private:
  void DrawHeader(Canvas& canvas, const std::vector<int>& widths, Look look) const;
  void DrawRow(Canvas& canvas, int line, int row, const std::vector<int>& widths, Look look) const;
  std::vector<int> ColumnWidths() const;  // in cells; the last takes what is left

  RowMotion m_motion;
  mutable int m_top = 0;
};
