#include "framework/terminal/ListField.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/terminal/Utf8.h"

namespace {

// Column widths are given in pixels of the templates' font, about six to a character cell.
constexpr int kPixelsPerCell = 6;
constexpr int kNarrowestColumn = 3;
// How long a filter being typed waits after a key before the list is read again for it.
constexpr auto kFilterPause = std::chrono::milliseconds(150);

}  // namespace

std::vector<int> ListField::ColumnWidths() const {
  std::vector<int> widths;
  int used = 0;
  for (const Control::Column& column : m_control.Columns()) {
    const int width =
        column.width < 0 ? static_cast<int>(column.heading.size()) + 1 : column.width / kPixelsPerCell;
    widths.push_back(std::max(kNarrowestColumn, width));
    used += widths.back() + 1;
  }
  if (widths.empty())
    widths.push_back(m_cell.cols);
  else
    widths.back() = std::max(kNarrowestColumn, m_cell.cols - (used - widths.back() - 1));
  return widths;
}

void ListField::DrawHeader(Canvas& canvas, const std::vector<int>& widths, Look look) const {
  int col = m_cell.col;
  for (size_t i = 0; i < widths.size() && col <= m_cell.Right(); ++i) {
    const std::string heading = i < m_control.Columns().size() ? m_control.Columns()[i].heading : "";
    canvas.Text(m_cell.row, col, heading, std::min(widths[i] + 1, m_cell.Right() - col + 1), look);
    col += widths[i] + 1;
  }
}

void ListField::DrawRow(Canvas& canvas, int line, int row, const std::vector<int>& widths, Look look) const {
  int col = m_cell.col;
  for (size_t i = 0; i < widths.size() && col <= m_cell.Right(); ++i) {
    // A cell cut short shows a mark; the cell after a column stays blank.
    const int room = m_cell.Right() - col + 1;
    const std::string text =
        Clip(std::string(m_control.Cell(row, static_cast<int>(i))), std::min(widths[i], room));
    canvas.Text(line, col, text, std::min(widths[i] + 1, room), look);
    col += widths[i] + 1;
  }
}

void ListField::Draw(Canvas& canvas, bool focused) const {
  const int visible = VisibleRows();
  const int selection = m_control.Selection();
  if (selection >= 0) m_top = std::clamp(m_top, selection - visible + 1, selection);
  m_top = std::clamp(m_top, 0, std::max(0, m_control.RowCount() - visible));
  const std::vector<int> widths = ColumnWidths();
  // A focused list without a selected row shows the focus on its header.
  const Look headerLook = focused && !m_control.HasRow(selection) ? Look::Focused : Look::Title;
  DrawHeader(canvas, widths, headerLook);
  DrawStatus(canvas, headerLook);
  for (int line = 0; line < visible; ++line) {
    const int row = m_top + line;
    const int screenLine = m_cell.row + 1 + line;
    if (!m_control.HasRow(row)) {
      canvas.Text(screenLine, m_cell.col, "", m_cell.cols, Look::Plain);
      continue;
    }
    Look look = Look::Plain;
    if (row == selection) look = focused ? Look::Focused : Look::Selected;
    DrawRow(canvas, screenLine, row, widths, look);
  }
}

// The end of the header: the filter (with a caret while it is typed), then, while the list
// fills, "loading…" and the rows so far.
void ListField::DrawStatus(Canvas& canvas, Look look) const {
  std::string status;
  const std::string filter = FilterShown();
  if (m_editingFilter || !filter.empty()) status += " /" + filter + (m_editingFilter ? "_" : "") + " ";
  if (m_control.Filling()) status += " loading\u2026 " + std::to_string(m_control.RowCount()) + " ";
  if (status.empty()) return;
  const int width = std::min(CellWidth(DecodeUtf8(status)), m_cell.cols);
  // A filter too long for the line shows its end, where the typing is.
  const std::u32string shown = DecodeUtf8(status);
  size_t first = 0;
  while (CellWidth(shown.substr(first)) > width) ++first;
  canvas.Text(m_cell.row, m_cell.Right() - width + 1, EncodeUtf8(shown.substr(first)), width, look);
}

std::string ListField::KeyHelp() const {
  return m_editingFilter ? "type to filter  Enter keep  Esc clear" : "\u2191\u2193 PgUp PgDn move  / filter";
}

std::string ListField::FilterShown() const { return m_typedFilter.value_or(m_control.FilterText()); }

bool ListField::HandleFilterKey(const Key& key) {
  std::u32string text = DecodeUtf8(FilterShown());
  switch (key.code) {
    case Key::Code::Char:
      if (key.alt) break;
      HoldFilter(text + key.ch);
      return true;
    case Key::Code::Paste:
      HoldFilter(text + key.text);
      return true;
    case Key::Code::Backspace:
      if (!text.empty()) HoldFilter(text.substr(0, text.size() - 1));
      return true;
    case Key::Code::Enter:
      m_editingFilter = false;
      Settle();
      return true;
    case Key::Code::Escape:
      m_editingFilter = false;
      m_typedFilter = "";
      Settle();
      return true;
    default:
      break;
  }
  m_editingFilter = false;  // any other key ends the typing and does what it does
  Settle();
  return false;
}

void ListField::HoldFilter(const std::u32string& text) {
  m_typedFilter = EncodeUtf8(text.substr(0, Control::kMaxFilterCharacters));
  m_filterDue = std::chrono::steady_clock::now() + kFilterPause;
}

std::optional<std::chrono::steady_clock::time_point> ListField::Due() const {
  return m_typedFilter ? std::optional(m_filterDue) : std::nullopt;
}

void ListField::Settle() {
  if (!m_typedFilter) return;
  const std::string filter = *m_typedFilter;
  m_typedFilter.reset();
  if (filter == m_control.FilterText()) return;
  m_control.SetFilterText(filter);
  m_notify(LVN_FILTERCHANGED);
}

void ListField::Click(int row, int) {
  const int clicked = m_top + row - (m_cell.row + 1);
  if (row > m_cell.row && m_control.HasRow(clicked)) m_control.SetSelection(clicked);
}

bool ListField::HandleKey(const Key& key) {
  if (m_editingFilter && HandleFilterKey(key)) return true;
  if (key.Is(Key::Code::Char) && key.ch == U'/' && !key.alt) {
    m_editingFilter = true;
    return true;
  }
  const std::optional<int> target = m_motion.Target(key, m_control, m_control.Selection(), VisibleRows());
  if (!target) return false;
  m_control.SetSelection(*target);
  return true;
}
