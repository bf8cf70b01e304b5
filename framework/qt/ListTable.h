#pragma once
// The table widget of a report-view list: whole rows, one selected at a time, read-only,
// sorted by a click on a column's header, the last column filling the rest of the width; Home
// and End go to the first and last row as in the platform's list, not to the first and last
// column.

#include <QTableView>

class ListTable : public QTableView {
 public:
  explicit ListTable(QWidget* parent);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};
