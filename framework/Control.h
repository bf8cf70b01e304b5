#pragma once
// The state of one control: what page logic reads and writes and what a backend shows. No
// toolkit types; every change bumps the revision, so a backend updates only what moved.
//
// Combo boxes and list views share one model: rows with cells and item data (a RowStore), one
// selected row. A combo box entry is a row with one cell; a list view row has a cell per column.

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/FrameworkTypes.h"
#include "framework/ListFill.h"
#include "framework/RowStore.h"
#include "res/DialogTemplate.h"

class Control : public FillingList {
 public:
  struct Column {
    std::string heading;
    int width = -1;  // pixels
    int format = LVCFMT_LEFT;
  };

  Control(int id, res::ControlKind kind, uint32_t style, std::string text);
  ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  int Id() const { return m_id; }
  res::ControlKind Kind() const { return m_kind; }
  uint32_t Style() const { return m_style; }
  bool IsButtonOfType(uint32_t type) const;  // a button whose BS_ type is `type`
  bool IsCheckBox() const { return IsButtonOfType(res::BS_AUTOCHECKBOX); }

  const std::string& Text() const { return m_text; }
  void SetText(const std::string& text);
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled);
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool readOnly);
  int Check() const { return m_check; }
  void SetCheck(int check);
  // An SS_BITMAP static's picture, as XPM data; null when the module has none.
  const char* const* Bitmap() const { return m_bitmap; }
  void SetBitmap(const char* const* xpm);

  const std::vector<Column>& Columns() const { return m_columns; }
  void InsertColumn(int index, Column column);  // index is clamped to [0, count]
  int RowCount() const { return m_rows.Count(); }
  bool HasRow(int row) const { return row >= 0 && row < RowCount(); }
  // The row's cell (0: the item's own text), empty past its last one or for a row that is not
  // there (a view may ask before it has caught up); valid until the rows change.
  std::string_view Cell(int row, int column) const { return HasRow(row) ? m_rows.Cell(row, column) : ""; }
  DWORD_PTR RowData(int row) const { return HasRow(row) ? m_rows.Data(row) : 0; }
  void InsertRow(int index, const std::string& text);  // index is clamped to [0, count]
  void SetCell(int row, int column, const std::string& text);
  void SetRowData(int row, DWORD_PTR data);
  void DeleteRow(int row);
  void ClearRows();
  int Selection() const { return m_selection; }  // -1 when nothing is selected
  void SetSelection(int row);                    // -1, or an existing row
  // The first row after `startAfter` (wrapping round; -1 searches all) whose text begins with
  // `prefix`, ignoring ASCII case; -1 when none does.
  int FindRowWithPrefix(int startAfter, const std::string& prefix) const;
  DWORD ExtendedStyle() const { return m_extendedStyle; }
  void SetExtendedStyle(DWORD style);
  // A list view's filter: the text the user typed to narrow the list (the page decides what
  // it keeps, on LVN_FILTERCHANGED). The fields that take it hold as many characters as a
  // stored text, which keeps the database's pattern within what every engine accepts.
  static constexpr size_t kMaxFilterCharacters = 255;
  const std::string& FilterText() const { return m_filterText; }
  void SetFilterText(const std::string& text);

  // An incremental fill: `more(n)` appends up to n rows and returns false once it has no
  // more. The backend hands rows over between input events (framework/ListFill.h); under a
  // backend that does not, the fill runs to its end as it begins. Clearing the rows, or a new
  // fill, ends the one running.
  using RowSource = std::function<bool(int maxRows)>;
  void BeginFill(RowSource more);
  bool Filling() const { return static_cast<bool>(m_fill); }
  // Up to `maxRows` more rows; false once no fill runs. A call made while the source is
  // already at work (a message box it shows runs a modal loop) does nothing.
  bool FillSome(int maxRows) override;
  void FinishFill();

  unsigned Revision() const { return m_revision; }                // moves on every change
  unsigned ContentRevision() const { return m_contentRevision; }  // moves when rows or columns do
  // For the one view that shows the rows: the first row whose place or cells changed since
  // the last call (RowCount() when rows were only added after the others, or none changed).
  // The rows before it are as the view last took them.
  int TakeFirstChangedRow();

 private:
  void Changed() { ++m_revision; }
  void ContentChanged();
  void RowsChangedFrom(int row) { m_firstChangedRow = std::min(m_firstChangedRow, row); }
  void EndFill();

  const int m_id;
  const res::ControlKind m_kind;
  const uint32_t m_style;
  std::string m_text;
  bool m_enabled;
  bool m_readOnly;
  int m_check = BST_UNCHECKED;
  const char* const* m_bitmap = nullptr;
  std::vector<Column> m_columns;
  RowStore m_rows;
  int m_firstChangedRow = 0;
  int m_selection = -1;
  DWORD m_extendedStyle = 0;
  std::string m_filterText;
  RowSource m_fill;
  bool m_feeding = false;
  unsigned m_fillGeneration = 0;
  unsigned m_revision = 0;
  unsigned m_contentRevision = 0;
};
