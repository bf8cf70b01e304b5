#pragma once
// A report-view list: a table view over a ListModel, one selected row at most. Choosing a
// row writes the selection into the control; the pages ask for it when they need it.

#include "framework/qt/ControlView.h"

class ListModel;
class QTableView;

class ListView : public ControlView {
public:
  ListView(Control& control, QWidget* parent);

  QTableView* Table() const { return m_table; }

protected:
  void Push() override;

private:
  void PushColumns();
  void PushSelection();

  QTableView* m_table;
  ListModel* m_model;
  unsigned m_shownContent;
  bool m_pushing = false;  // selection changes of our own are not the user's
};
