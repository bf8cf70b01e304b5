#pragma once
// A table model that reads a list view control's rows in place, so a view asks only for the
// cells it shows, however many rows there are. Rows added after the others (a list that
// fills) are announced as inserted, so the views keep their place, selection and sort; any
// other change of the rows resets the model.

#include <QAbstractTableModel>

class Control;

class ListModel : public QAbstractTableModel {
 public:
  // Changes nothing the control holds but its record of the rows shown (TakeFirstChangedRow).
  ListModel(Control& control, QObject* parent);

  // Shows the control's rows as they are now; true when the model was reset.
  bool Update();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  Control& m_control;
  int m_rows = 0;     // the rows the views were told of
  int m_columns = 0;  // likewise the columns
};
