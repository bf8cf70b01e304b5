#pragma once
// A property sheet: its caption in the frame, a line of tabs, the active page, and the
// sheet's buttons at the bottom right. Ctrl-PgUp/Ctrl-PgDn and F1, F2, ... change tabs; Tab
// goes round the page's fields and the buttons; Enter presses OK, Escape Cancel.

#include <memory>
#include <string>
#include <vector>

#include "framework/terminal/WindowSurface.h"

namespace res {
struct DialogTemplate;
}

class CPropertySheet;

class SheetSurface : public WindowSurface {
 public:
  SheetSurface(CPropertySheet& sheet, WindowForm::Deliver deliver);

  // The smallest screen a sheet of these pages can be laid out on.
  static CellSize SmallestFor(const std::vector<const res::DialogTemplate*>& pages);

  void Fit(CellSize screen) override;
  CellSize Smallest() const override;
  void Draw(Canvas& canvas, bool active) override;
  void HandleKey(const Key& key) override;
  std::vector<CWnd*> TimedWindows() const override;

 private:
  // Lines above and below a page: the frame, the tabs, the buttons.
  static constexpr int kChromeRows = 4;
  // Tabs that a function key shows (F1 to F12).
  static constexpr int kFunctionKeys = 12;

  // The largest of the pages laid out in at most maxRows.
  static CellSize PageArea(const std::vector<const res::DialogTemplate*>& pages, int maxRows);
  std::vector<const res::DialogTemplate*> PageTemplates() const;
  void FollowPages();  // forms for pages made since, and the focus onto a newly shown page
  WindowForm* ActivePageForm() const;
  void DrawTabs(Canvas& canvas) const;
  void MoveFocus(bool forward) override;
  void PressDefault() override;
  WindowForm* KeyForm() override { return ActivePageForm(); }
  void Click(int row, int col);
  int TabAt(int col) const;  // the tab drawn at that column of the tab line, or -1
  std::string TabText(int index) const;
  void ShowPage(int index);

  CPropertySheet& m_sheet;
  std::vector<std::unique_ptr<WindowForm>> m_pages;  // null until the page's window is made
  WindowForm m_buttons;
  CellSize m_area;
  CellSize m_corner;
  int m_shownPage = -1;
};
