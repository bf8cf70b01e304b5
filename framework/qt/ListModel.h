#pragma once
// A table model that reads a list view control's rows in place, so a view asks only for the
// cells it shows, however many rows there are.

#include <QAbstractTableModel>

class Control;

class ListModel : public QAbstractTableModel {
 public:
  ListModel(const Control& control, QObject* parent);

  // The rows or columns changed: views read everything again.
  void Reload();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const Control& m_control;
};
