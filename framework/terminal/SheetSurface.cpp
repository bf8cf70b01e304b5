#include "framework/terminal/SheetSurface.h"

#include <algorithm>

#include "framework/GrowthRule.h"
#include "framework/PropertySheet.h"
#include "framework/WindowState.h"
#include "framework/terminal/Panel.h"
#include "framework/terminal/Utf8.h"

namespace {

constexpr int kButtonCols = 10;  // "[ Cancel ]"

}  // namespace

SheetSurface::SheetSurface(CPropertySheet& sheet, WindowForm::Deliver deliver)
    : WindowSurface(sheet, deliver),
      m_sheet(sheet),
      m_pages(sheet.GetPageCount()),
      m_buttons(sheet, deliver, false) {}  // OK and Cancel have Enter and Escape

CellSize SheetSurface::PageArea(const std::vector<const res::DialogTemplate*>& pages, int maxRows) {
  CellSize area;
  for (const res::DialogTemplate* page : pages) {
    const CellLayout layout = CellLayout::Of(*page, maxRows);
    area.rows = std::max(area.rows, layout.rows);
    area.cols = std::max(area.cols, layout.cols);
  }
  return area;
}

std::vector<const res::DialogTemplate*> SheetSurface::PageTemplates() const {
  std::vector<const res::DialogTemplate*> pages;
  for (int i = 0; i < m_sheet.GetPageCount(); ++i) pages.push_back(m_sheet.GetPageTemplate(i));
  return pages;
}

CellSize SheetSurface::SmallestFor(const std::vector<const res::DialogTemplate*>& pages) {
  const CellSize squeezed = PageArea(pages, 0);
  return {squeezed.rows + kChromeRows, squeezed.cols + 2};
}

void SheetSurface::Fit(CellSize screen) {
  const std::vector<const res::DialogTemplate*> pages = PageTemplates();
  m_area = PageArea(pages, screen.rows - kChromeRows);
  // Where a page can grow, the sheet takes the whole terminal that way, as a window would.
  for (const res::DialogTemplate* page : pages) {
    const growth::WindowGrowth grows = growth::OfWindow(*page);
    if (grows.wide) m_area.cols = std::max(m_area.cols, screen.cols - 2);
    if (grows.tall) m_area.rows = std::max(m_area.rows, screen.rows - kChromeRows);
  }
  for (const auto& page : m_pages)
    if (page) page->LayOut(m_area.rows, m_area.cols);
  const int buttons = static_cast<int>(m_sheet.GetWindowState()->Controls().size());
  std::vector<CellRect> cells;
  for (int i = 0; i < buttons; ++i)
    cells.push_back({0, m_area.cols - (buttons - i) * (kButtonCols + 1), 1, kButtonCols});
  m_buttons.Place(cells, 1, m_area.cols);
  m_corner = Centred({m_area.rows + kChromeRows, m_area.cols + 2}, screen);
}

CellSize SheetSurface::Smallest() const { return SmallestFor(PageTemplates()); }

WindowForm* SheetSurface::ActivePageForm() const {
  const int active = m_sheet.GetActiveIndex();
  return active >= 0 && active < static_cast<int>(m_pages.size()) ? m_pages[active].get() : nullptr;
}

void SheetSurface::FollowPages() {
  for (int i = 0; i < m_sheet.GetPageCount(); ++i)
    if (!m_pages[i] && m_sheet.GetPage(i)->IsWindowCreated()) {
      m_pages[i] = std::make_unique<WindowForm>(*m_sheet.GetPage(i), m_deliver);
      m_pages[i]->LayOut(m_area.rows, m_area.cols);
    }
  WindowForm* page = ActivePageForm();
  if (!page) return;
  const bool newlyShown = m_shownPage != m_sheet.GetActiveIndex();
  m_shownPage = m_sheet.GetActiveIndex();
  if (page->FollowFocusRequest() || newlyShown) m_buttons.DropFocus();
  if (newlyShown && !page->HasFocus()) page->FocusEdge(true);
  if (!page->HasFocus() && !m_buttons.HasFocus() && !page->FocusEdge(true)) m_buttons.FocusEdge(true);
}

// Each tab is its function key and caption with a cell either side ("[F1 General]" for the
// active one), and a cell between tabs.
std::string SheetSurface::TabText(int index) const {
  const bool active = index == m_sheet.GetActiveIndex();
  std::string tab(1, active ? '[' : ' ');
  if (index < kFunctionKeys) tab.append("F").append(std::to_string(index + 1)).append(" ");
  tab += m_sheet.GetPageTemplate(index)->caption;
  tab += active ? ']' : ' ';
  return tab;
}

void SheetSurface::DrawTabs(Canvas& canvas) const {
  int col = 1;
  for (int i = 0; i < m_sheet.GetPageCount() && col < m_area.cols; ++i) {
    const std::string tab = TabText(i);
    canvas.Text(1, col, tab, m_area.cols - col, i == m_sheet.GetActiveIndex() ? Look::Title : Look::Plain,
                '\0');
    col += CellWidth(DecodeUtf8(tab)) + 1;
  }
}

int SheetSurface::TabAt(int col) const {
  int start = 1;
  for (int i = 0; i < m_sheet.GetPageCount(); ++i) {
    const int width = CellWidth(DecodeUtf8(TabText(i)));
    if (col >= start && col < start + width) return i;
    start += width + 1;
  }
  return -1;
}

void SheetSurface::Click(int row, int col) {
  WindowForm* page = ActivePageForm();
  if (!page) return;
  if (row == 1) {
    ShowPage(TabAt(col));
  } else if (row == m_area.rows + 2) {
    if (m_buttons.Click(0, col - 1)) page->DropFocus();
  } else if (page->Click(row - 2, col - 1)) {
    m_buttons.DropFocus();
  }
}

void SheetSurface::Draw(Canvas& canvas, bool active) {
  FollowPages();
  OriginScope corner(canvas, m_corner.rows, m_corner.cols);
  const WindowForm* page = ActivePageForm();
  const int lastKey = std::min(m_sheet.GetPageCount(), kFunctionKeys);
  const std::string windowKeys =
      "Tab next  Enter OK  Esc cancel  F1-F" + std::to_string(lastKey) + " tabs  Alt+letter";
  DrawPanel(canvas, m_area.rows + kChromeRows, m_area.cols + 2, m_sheet.GetWindowText(),
            HelpLine(m_buttons.HasFocus() || !page ? m_buttons : *page, windowKeys));
  DrawTabs(canvas);
  OriginScope client(canvas, 2, 1);
  if (page) page->Draw(canvas, active);
  OriginScope buttons(canvas, m_area.rows, 0);
  m_buttons.Draw(canvas, active);
}

void SheetSurface::ShowPage(int index) {
  if (index < 0 || index >= m_sheet.GetPageCount()) return;
  m_deliver([this, index] { m_sheet.SetActivePage(index); });
}

void SheetSurface::MoveFocus(bool forward) {
  WindowForm* page = ActivePageForm();
  if (!page) return;
  if (m_buttons.HasFocus()) {
    if (!m_buttons.MoveFocus(forward) && !page->FocusEdge(forward)) m_buttons.FocusEdge(forward);
  } else if (!page->MoveFocus(forward) && !m_buttons.FocusEdge(forward)) {
    page->FocusEdge(forward);
  }
}

void SheetSurface::PressDefault() {
  WindowForm* page = ActivePageForm();
  if (page && !page->PressDefault()) m_buttons.PressDefault();
}

void SheetSurface::HandleKey(const Key& key) {
  WindowForm* page = ActivePageForm();
  if (!page) return;
  page->FollowFocusRequest();
  if (key.Is(Key::Code::Click)) {
    Click(key.row - m_corner.rows, key.col - m_corner.cols);
    return;
  }
  WindowForm& focused = m_buttons.HasFocus() ? m_buttons : *page;
  WindowForm& other = m_buttons.HasFocus() ? *page : m_buttons;
  if (focused.HandleKey(key) || (key.Is(Key::Code::Char) && key.alt && other.HandleKey(key)) ||
      HandleWindowKey(key))
    return;
  switch (key.code) {
    case Key::Code::PreviousTab:
    case Key::Code::NextTab: {
      const int count = m_sheet.GetPageCount();
      ShowPage((m_sheet.GetActiveIndex() + (key.Is(Key::Code::NextTab) ? 1 : count - 1)) % count);
      break;
    }
    case Key::Code::Function:
      ShowPage(key.number - 1);
      break;
    default:
      break;
  }
}

std::vector<CWnd*> SheetSurface::TimedWindows() const {
  std::vector<CWnd*> windows{&m_sheet};
  for (int i = 0; i < m_sheet.GetPageCount(); ++i)
    if (m_sheet.GetPage(i)->IsWindowCreated()) windows.push_back(m_sheet.GetPage(i));
  return windows;
}
