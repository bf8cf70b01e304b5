#include "framework/qt/ListModel.h"

#include "framework/Control.h"
#include "framework/qt/QtText.h"

ListModel::ListModel(Control& control, QObject* parent) : QAbstractTableModel(parent), m_control(control) {}

bool ListModel::Update() {
  const int firstChanged = m_control.TakeFirstChangedRow();
  const int columns = static_cast<int>(m_control.Columns().size());
  if (firstChanged < m_rows || columns != m_columns) {
    beginResetModel();
    m_rows = m_control.RowCount();
    m_columns = columns;
    endResetModel();
    return true;
  }
  if (m_control.RowCount() > m_rows) {
    beginInsertRows({}, m_rows, m_control.RowCount() - 1);
    m_rows = m_control.RowCount();
    endInsertRows();
  }
  return false;
}

int ListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int ListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns; }

QVariant ListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || index.row() >= m_rows || !m_control.HasRow(index.row())) return {};
  return ToQString(m_control.Cell(index.row(), index.column()));
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return ToQString(m_control.Columns()[section].heading);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}
