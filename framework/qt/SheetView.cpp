#include "framework/qt/SheetView.h"

#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "framework/Control.h"
#include "framework/PropertySheet.h"
#include "framework/WindowState.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/WindowView.h"
#include "framework/qt/QtText.h"

SheetView::SheetView(CPropertySheet& sheet, QtBackend& backend, QWidget* parent)
    : ModalView(sheet, backend, parent), m_sheet(sheet), m_tabs(new QTabWidget(this)) {
  setFont(TemplateFont(*sheet.GetPageTemplate(0)));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tabs);
  auto* buttons = new QHBoxLayout;
  layout->addLayout(buttons);
  BuildTabs();
  BuildButtons(*buttons);
  const WindowGrowth growth = GrowthOfPages();
  AllowGrowth(growth.wide, growth.tall, QStringLiteral("Sheet%1").arg(sheet.GetPageTemplate(0)->id));
}

SheetView::~SheetView() = default;

// The sheet grows where one of its pages can.
WindowGrowth SheetView::GrowthOfPages() const {
  WindowGrowth sheet;
  for (int i = 0; i < m_sheet.GetPageCount(); ++i) {
    const WindowGrowth page = GrowthOfWindow(*m_sheet.GetPageTemplate(i));
    sheet.wide = sheet.wide || page.wide;
    sheet.tall = sheet.tall || page.tall;
  }
  return sheet;
}

void SheetView::BuildTabs() {
  for (int i = 0; i < m_sheet.GetPageCount(); ++i) {
    const res::DialogTemplate& tmpl = *m_sheet.GetPageTemplate(i);
    auto* holder = new QWidget;
    holder->setMinimumSize(DialogUnits::ForFont(TemplateFont(tmpl)).ToPixels(tmpl.cx, tmpl.cy));
    (new QVBoxLayout(holder))->setContentsMargins(0, 0, 0, 0);
    m_tabs->addTab(holder, ToQString(tmpl.caption));
    m_pageHolders.push_back(holder);
    m_pageViews.push_back(nullptr);
  }
  connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
    if (index != m_sheet.GetActiveIndex()) m_backend.Deliver([this, index] { m_sheet.SetActivePage(index); });
  });
}

void SheetView::BuildButtons(QBoxLayout& row) {
  row.addStretch();
  const QSize size = DialogUnits::ForFont(font()).ToPixels(50, 14);
  for (const auto& control : m_sheet.GetWindowState()->Controls()) {
    const int id = control->Id();
    auto view = MakeControlView(*control, this, [this, id](UINT code) {
      m_backend.Deliver([this, id, code] { m_sheet.OnCommand(id, code); });
    });
    view->Widget()->setObjectName(QString::number(id));
    view->Widget()->setFixedSize(size);
    row.addWidget(view->Widget());
    m_buttons.push_back(std::move(view));
  }
}

void SheetView::Sync() {
  SyncCaption();
  for (int i = 0; i < m_sheet.GetPageCount(); ++i) {
    CPropertyPage& page = *m_sheet.GetPage(i);
    if (!m_pageViews[i] && page.IsWindowCreated()) {
      m_pageViews[i] = new WindowView(page, m_backend, m_pageHolders[i]);
      m_pageHolders[i]->layout()->addWidget(m_pageViews[i]);
      m_pageViews[i]->show();
      ChainFocus(*m_pageViews[i]);
    }
    if (m_pageViews[i]) m_pageViews[i]->Sync();
  }
  for (const auto& button : m_buttons) button->Sync();
  const QSignalBlocker blocker(m_tabs);
  const int active = m_sheet.GetActiveIndex();
  if (active >= 0) m_tabs->setCurrentIndex(active);
  if (active != m_shownPage) FocusPage(active);
}

// Tab goes from the tab bar through the page's controls in template order, then to the
// sheet's buttons (the pages are made after the buttons, which would otherwise come first).
void SheetView::ChainFocus(const WindowView& page) {
  std::vector<QWidget*> chain{m_tabs->tabBar()};
  for (QWidget* widget : page.Widgets()) chain.push_back(widget);
  for (const auto& button : m_buttons) chain.push_back(button->Widget());
  for (size_t i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
}

// A page newly shown takes the focus into its first control, unless its logic placed the
// focus already or the user is moving between the tabs on the tab bar.
void SheetView::FocusPage(int index) {
  m_shownPage = index;
  if (index < 0 || !m_pageViews[index] || focusWidget() == m_tabs->tabBar()) return;
  WindowView& page = *m_pageViews[index];
  if (page.isAncestorOf(focusWidget())) return;
  if (QWidget* first = page.FirstInput()) first->setFocus(Qt::TabFocusReason);
}
