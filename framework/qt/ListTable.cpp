#include "framework/qt/ListTable.h"

#include <QEvent>
#include <QHeaderView>

ListTable::ListTable(QWidget* parent) : QTableView(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setTabKeyNavigation(false);
  QHeaderView* columns = horizontalHeader();
  columns->setHighlightSections(false);
  columns->setStretchLastSection(true);
  // No column is sorted until the user clicks one; then a click toggles its order.
  columns->setSortIndicator(-1, Qt::AscendingOrder);
  columns->setSortIndicatorShown(true);
  setSortingEnabled(true);
  // Every row the same height, so the view never measures rows it does not show.
  QHeaderView* rows = verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(fontMetrics().height() + 4);
}

void ListTable::SetBottomBar(QWidget* bar) {
  m_bar = bar;
  bar->installEventFilter(this);
  updateGeometries();
}

bool ListTable::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_bar && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
    updateGeometries();
  return QTableView::eventFilter(watched, event);
}

// The table sets the margins around its rows for its headers; the bar's line is added below.
void ListTable::updateGeometries() {
  QTableView::updateGeometries();
  const int height = m_bar && !m_bar->isHidden() ? m_bar->sizeHint().height() : 0;
  QMargins margins = viewportMargins();
  if (margins.bottom() != height) {
    margins.setBottom(height);
    setViewportMargins(margins);
  }
  if (height == 0) return;
  const QRect rows = viewport()->geometry();
  m_bar->setGeometry(rows.left(), rows.bottom() + 1, rows.width(), height);
}

QModelIndex ListTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // The table takes Ctrl+Home and Ctrl+End for rows, Home and End for columns.
  if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
  return QTableView::moveCursor(action, modifiers);
}
