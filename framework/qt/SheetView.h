#pragma once
// A property sheet: a tab per page over the sheet's buttons. A page's widgets are made when
// its window is, the first time it is shown; the tab shown follows the sheet's active page.
// The sheet can be made larger where one of its pages can grow; every page fills the tab.

#include <memory>
#include <vector>

#include "framework/qt/ControlView.h"
#include "framework/qt/GrowthRule.h"
#include "framework/qt/ModalView.h"

class CPropertySheet;
class QBoxLayout;
class QTabWidget;

class SheetView : public ModalView {
 public:
  SheetView(CPropertySheet& sheet, QtBackend& backend, QWidget* parent);
  ~SheetView() override;

  void Sync() override;

 private:
  void BuildTabs();
  void BuildButtons(QBoxLayout& row);
  WindowGrowth GrowthOfPages() const;
  void ChainFocus(const WindowView& page);
  void FocusPage(int index);

  CPropertySheet& m_sheet;
  QTabWidget* m_tabs;
  std::vector<QWidget*> m_pageHolders;
  std::vector<WindowView*> m_pageViews;  // null until the page's window exists
  std::vector<std::unique_ptr<ControlView>> m_buttons;
  int m_shownPage = -1;  // the page last given the focus
};
