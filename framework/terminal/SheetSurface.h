#pragma once
// A property sheet: its caption in the frame, a line of tabs, the active page, and the
// sheet's buttons at the bottom right. Ctrl-PgUp/Ctrl-PgDn and F1, F2, ... change tabs; Tab
// goes round the page's fields and the buttons; Enter presses OK, Escape Cancel.

#include <memory>
#include <vector>

#include "framework/terminal/Surface.h"
#include "framework/terminal/WindowForm.h"

class CPropertySheet;

class SheetSurface : public Surface {
public:
  SheetSurface(CPropertySheet& sheet, WindowForm::Deliver deliver);

  void Fit(CellSize screen) override;
  CellSize Smallest() const override;
  void Draw(Canvas& canvas, bool active) override;
  void HandleKey(const Key& key) override;
  bool Done() const override;
  void Abandon() override;
  std::vector<CWnd*> TimedWindows() const override;

private:
  // Lines above and below a page: the frame, the tabs, the buttons.
  static constexpr int kChromeRows = 4;

  CellSize PageArea(int maxRows) const;  // the largest page laid out in at most maxRows
  void FollowPages();  // forms for pages made since, and the focus onto a newly shown page
  WindowForm* ActivePageForm() const;
  void DrawTabs(Canvas& canvas) const;
  void MoveFocus(bool forward);
  void Click(int row, int col);
  int TabAt(int col) const;  // the tab drawn at that column of the tab line, or -1
  void ShowPage(int index);

  CPropertySheet& m_sheet;
  WindowForm::Deliver m_deliver;
  std::vector<std::unique_ptr<WindowForm>> m_pages;  // null until the page's window is made
  WindowForm m_buttons;
  CellSize m_area;
  CellSize m_corner;
  int m_shownPage = -1;
};
