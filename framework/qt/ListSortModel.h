#pragma once
// The order a list is shown in: a proxy over the ListModel, sorted by the column whose header
// the user clicked, or in the control's own order before any click. Rows keep their control
// indices behind it (mapToSource), so the pages still name the rows they inserted; a refill
// of the rows is sorted again by the same column, and rows added at the end of the control
// (the source model adds rows nowhere else) are put in their places as they come.
//
// Cells compare straight from the control: numbers as numbers and before text, text without
// regard to ASCII case and with the numbers inside it compared as numbers ("home2" before
// "home10", addresses by their octets), and equal cells in the control's order. The order is
// two arrays of row numbers, made only once the list is sorted.

#include <functional>
#include <vector>

#include <QAbstractProxyModel>

class Control;

class ListSortModel : public QAbstractProxyModel {
 public:
  ListSortModel(const Control& control, QObject* parent);

  void setSourceModel(QAbstractItemModel* source) override;
  QModelIndex mapToSource(const QModelIndex& shown) const override;
  QModelIndex mapFromSource(const QModelIndex& source) const override;
  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void sort(int column, Qt::SortOrder order) override;

 private:
  void Reorder();
  // A change of the order as a layout change, in which `reorder` changes the arrays.
  void Rearrange(const std::function<void()>& reorder);
  void InsertSorted(int first, int last);
  void IndexShownRows();
  int ControlRow(int shownRow) const;
  int ShownRow(int controlRow) const;

  const Control& m_control;
  int m_sortColumn = -1;  // -1: the control's order
  Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
  bool m_ordered = false;  // false: shown in the control's order, without the arrays
  std::vector<int> m_controlRowShownAt;
  std::vector<int> m_shownRowOfControlRow;
};
