#pragma once
// The table widget of a report-view list: whole rows, one selected at a time, read-only,
// sorted by a click on a column's header, the last column filling the rest of the width; Home
// and End go to the first and last row as in the platform's list, not to the first and last
// column. A bar (the filter field) may take a line below the rows, inside the frame, while it
// is shown: the rows are then shown above it, none of them hidden by it.

#include <QPointer>
#include <QTableView>

class ListTable : public QTableView {
 public:
  explicit ListTable(QWidget* parent);

  // A child of the table, placed below the rows whenever it is shown.
  void SetBottomBar(QWidget* bar);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void updateGeometries() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> m_bar;
};
