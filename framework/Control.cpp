#include "framework/Control.h"

#include <algorithm>

#include "framework/Backend.h"
#include "framework/ListFill.h"

namespace {

// Rows a fill hands over per call when it must end now.
constexpr int kFinishBatch = 4096;

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, const std::string& prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char a, char b) { return FoldCase(a) == FoldCase(b); });
}

}  // namespace

Control::Control(int id, res::ControlKind kind, uint32_t style, std::string text)
    : m_id(id),
      m_kind(kind),
      m_style(style),
      m_text(std::move(text)),
      m_enabled((style & res::WS_DISABLED) == 0),
      m_readOnly(kind == res::ControlKind::Edit && (style & res::ES_READONLY) != 0) {}

Control::~Control() { UnregisterListFill(this); }

bool Control::IsButtonOfType(uint32_t type) const {
  return m_kind == res::ControlKind::Button && (m_style & res::BS_TYPEMASK) == type;
}

void Control::SetText(const std::string& text) {
  if (text == m_text) return;
  m_text = text;
  Changed();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  Changed();
}

void Control::SetReadOnly(bool readOnly) {
  if (readOnly == m_readOnly) return;
  m_readOnly = readOnly;
  Changed();
}

void Control::SetCheck(int check) {
  if (check == m_check) return;
  m_check = check;
  Changed();
}

void Control::SetBitmap(const char* const* xpm) {
  m_bitmap = xpm;
  Changed();
}

void Control::ContentChanged() {
  ++m_contentRevision;
  Changed();
}

void Control::InsertColumn(int index, Column column) {
  index = std::clamp(index, 0, static_cast<int>(m_columns.size()));
  m_columns.insert(m_columns.begin() + index, std::move(column));
  m_rows.InsertColumn(index);
  RowsChangedFrom(0);
  ContentChanged();
}

void Control::InsertRow(int index, const std::string& text) {
  index = std::clamp(index, 0, RowCount());
  m_rows.Insert(index, text);
  RowsChangedFrom(index);
  if (m_selection >= index) ++m_selection;
  ContentChanged();
}

void Control::SetCell(int row, int column, const std::string& text) {
  if (!HasRow(row) || column < 0) return;
  m_rows.SetCell(row, column, text);
  RowsChangedFrom(row);
  ContentChanged();
}

void Control::SetRowData(int row, DWORD_PTR data) {
  if (!HasRow(row)) return;
  m_rows.SetData(row, data);
  Changed();
}

void Control::DeleteRow(int row) {
  if (!HasRow(row)) return;
  m_rows.Erase(row);
  RowsChangedFrom(row);
  if (m_selection == row)
    m_selection = -1;
  else if (m_selection > row)
    --m_selection;
  ContentChanged();
}

void Control::ClearRows() {
  EndFill();
  m_rows.Clear();
  RowsChangedFrom(0);
  m_selection = -1;
  ContentChanged();
}

int Control::TakeFirstChangedRow() {
  const int first = m_firstChangedRow;
  m_firstChangedRow = RowCount();
  return first;
}

void Control::SetSelection(int row) {
  if (!HasRow(row)) row = -1;
  if (row == m_selection) return;
  m_selection = row;
  Changed();
}

int Control::FindRowWithPrefix(int startAfter, const std::string& prefix) const {
  const int count = RowCount();
  if (count == 0) return -1;
  const int first = HasRow(startAfter) ? startAfter + 1 : 0;
  for (int n = 0; n < count; ++n) {
    const int row = (first + n) % count;
    if (StartsWithIgnoringCase(m_rows.Cell(row, 0), prefix)) return row;
  }
  return -1;
}

void Control::SetExtendedStyle(DWORD style) {
  if (style == m_extendedStyle) return;
  m_extendedStyle = style;
  Changed();
}

void Control::SetFilterText(const std::string& text) {
  if (text == m_filterText) return;
  m_filterText = text;
  Changed();
}

void Control::BeginFill(RowSource more) {
  EndFill();
  m_fill = std::move(more);
  ++m_fillGeneration;
  Changed();
  const Backend* backend = CurrentBackend();
  if (backend && backend->FeedsListFills())
    RegisterListFill(this);
  else
    FinishFill();
}

bool Control::FillSome(int maxRows) {
  if (!m_fill || m_feeding) return Filling();
  m_feeding = true;
  // The source may end this fill itself, or begin another (it clears the rows): it is kept
  // alive meanwhile, and only its own fill ends when it has no more.
  const RowSource source = m_fill;
  const unsigned generation = m_fillGeneration;
  const bool more = source(maxRows);
  m_feeding = false;
  if (!more && generation == m_fillGeneration) EndFill();
  return Filling();
}

void Control::FinishFill() {
  while (!m_feeding && FillSome(kFinishBatch)) {
  }
}

void Control::EndFill() {
  if (!m_fill) return;
  m_fill = nullptr;
  UnregisterListFill(this);
  Changed();
}
