#include "framework/qt/ListModel.h"

#include "framework/Control.h"
#include "framework/qt/QtText.h"

ListModel::ListModel(const Control& control, QObject* parent)
    : QAbstractTableModel(parent), m_control(control) {}

void ListModel::Reload() {
  beginResetModel();
  endResetModel();
}

int ListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : m_control.RowCount();
}

int ListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_control.Columns().size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !m_control.HasRow(index.row())) return {};
  const auto& cells = m_control.Rows()[index.row()].cells;
  return index.column() < static_cast<int>(cells.size()) ? ToQString(cells[index.column()]) : QString();
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return ToQString(m_control.Columns()[section].heading);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}
