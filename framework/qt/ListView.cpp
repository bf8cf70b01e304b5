#include "framework/qt/ListView.h"

#include <QHeaderView>
#include <QTableView>

#include "framework/Control.h"
#include "framework/qt/ListModel.h"

ListView::ListView(Control& control, QWidget* parent)
    : ControlView(control, new QTableView(parent)),
      m_table(static_cast<QTableView*>(Widget())),
      m_model(new ListModel(control, m_table)),
      m_shownContent(control.ContentRevision() - 1) {
  m_table->setModel(m_model);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setWordWrap(false);
  m_table->setTabKeyNavigation(false);
  m_table->horizontalHeader()->setHighlightSections(false);
  m_table->horizontalHeader()->setStretchLastSection(false);
  // Every row the same height, so the view never measures rows it does not show.
  QHeaderView* rows = m_table->verticalHeader();
  rows->hide();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(m_table->fontMetrics().height() + 4);
  QObject::connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, m_table,
                   [this](const QModelIndex& current) {
                     if (m_pushing) return;
                     m_control.SetSelection(current.isValid() ? current.row() : -1);
                     Shown();
                   });
}

void ListView::Push() {
  m_pushing = true;
  m_table->setShowGrid((m_control.ExtendedStyle() & LVS_EX_GRIDLINES) != 0);
  if (m_shownContent != m_control.ContentRevision()) {
    m_model->Reload();
    PushColumns();
    m_shownContent = m_control.ContentRevision();
  }
  PushSelection();
  m_pushing = false;
}

void ListView::PushColumns() {
  const auto& columns = m_control.Columns();
  for (int i = 0; i < static_cast<int>(columns.size()); ++i)
    if (columns[i].width >= 0) m_table->setColumnWidth(i, columns[i].width);
}

void ListView::PushSelection() {
  QItemSelectionModel* selection = m_table->selectionModel();
  const int row = m_control.Selection();
  if (row < 0) {
    selection->clear();
    return;
  }
  if (selection->currentIndex().row() == row && selection->isRowSelected(row)) return;
  const QModelIndex index = m_model->index(row, 0);
  selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_table->scrollTo(index);
}
