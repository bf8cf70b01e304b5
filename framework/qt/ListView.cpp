#include "framework/qt/ListView.h"

#include <QHeaderView>

#include "framework/Control.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/ListModel.h"
#include "framework/qt/ListSortModel.h"
#include "framework/qt/ListTable.h"
#include "framework/qt/ViewSettings.h"

ListView::ListView(Control& control, QWidget* parent)
    : ControlView(control, new ListTable(parent)),
      m_table(static_cast<ListTable*>(Widget())),
      m_model(new ListModel(control, m_table)),
      m_sorted(new ListSortModel(control, m_table)),
      m_shownContent(control.ContentRevision() - 1) {
  m_sorted->setSourceModel(m_model);
  m_table->setModel(m_sorted);
  QObject::connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, m_table,
                   [this](const QModelIndex& current) { SelectedByUser(current); });
}

// The last column stretches, so its width is the window's, not the user's.
ListView::~ListView() {
  if (m_settingsKey.isEmpty() || m_shownHeadings.size() < 2) return;
  QList<int> widths;
  for (size_t i = 0; i + 1 < m_shownHeadings.size(); ++i)
    widths.append(m_table->columnWidth(static_cast<int>(i)));
  SaveColumnWidths(m_settingsKey, widths);
}

QTableView* ListView::Table() const { return m_table; }

void ListView::SelectedByUser(const QModelIndex& current) {
  if (m_pushing) return;
  m_control.SetSelection(current.isValid() ? m_sorted->mapToSource(current).row() : -1);
  Shown();
}

void ListView::Push() {
  m_pushing = true;
  m_table->setShowGrid((m_control.ExtendedStyle() & LVS_EX_GRIDLINES) != 0);
  if (m_shownContent != m_control.ContentRevision()) {
    m_model->Reload();
    if (Headings() != m_shownHeadings) PushColumns();
    m_shownContent = m_control.ContentRevision();
  }
  PushSelection();
  m_pushing = false;
}

std::vector<std::string> ListView::Headings() const {
  std::vector<std::string> headings;
  for (const Control::Column& column : m_control.Columns()) headings.push_back(column.heading);
  return headings;
}

// New columns: the widths kept from an earlier run of the same columns, or the control's.
void ListView::PushColumns() {
  m_shownHeadings = Headings();
  const auto& columns = m_control.Columns();
  const QList<int> saved = m_settingsKey.isEmpty() ? QList<int>() : SavedColumnWidths(m_settingsKey);
  const bool useSaved = saved.size() + 1 == static_cast<qsizetype>(columns.size());
  const DialogUnits units = DialogUnits::ForFont(m_table->font());
  for (int i = 0; i + 1 < static_cast<int>(columns.size()); ++i) {
    if (useSaved)
      m_table->setColumnWidth(i, saved[i]);
    else if (columns[i].width >= 0)
      m_table->setColumnWidth(i, units.FromSystemPixels(columns[i].width));
  }
}

// The selected row is shown, scrolled into view, wherever the sorting put it.
void ListView::PushSelection() {
  QItemSelectionModel* selection = m_table->selectionModel();
  const int row = m_control.Selection();
  if (row < 0) {
    selection->clear();
    return;
  }
  const QModelIndex shown = m_sorted->mapFromSource(m_model->index(row, 0));
  if (selection->currentIndex().row() == shown.row() && selection->isRowSelected(shown.row())) return;
  selection->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  m_table->scrollTo(shown);
}
