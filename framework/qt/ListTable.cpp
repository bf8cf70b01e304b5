#include "framework/qt/ListTable.h"

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

QModelIndex ListTable::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // The table takes Ctrl+Home and Ctrl+End for rows, Home and End for columns.
  if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
  return QTableView::moveCursor(action, modifiers);
}
