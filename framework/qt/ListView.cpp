#include "framework/qt/ListView.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTimer>

#include "framework/Control.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/ListModel.h"
#include "framework/qt/ListSortModel.h"
#include "framework/qt/ListTable.h"
#include "framework/qt/ViewSettings.h"
#include "framework/qt/QtText.h"

namespace {

// How long the filter waits after a change of its text before it is applied.
constexpr auto kFilterPause = std::chrono::milliseconds(150);

}  // namespace

ListView::ListView(Control& control, QWidget* parent, Notify notify)
    : ControlView(control, new ListTable(parent)),
      m_table(static_cast<ListTable*>(Widget())),
      m_model(new ListModel(control, m_table)),
      m_sorted(new ListSortModel(control, m_table)),
      m_loading(new QLabel(m_table->viewport())),
      m_filter(new QLineEdit(m_table)),
      m_filterPause(new QTimer(m_table)),
      m_notify(std::move(notify)),
      m_shownContent(control.ContentRevision() - 1) {
  m_sorted->setSourceModel(m_model);
  m_table->setModel(m_sorted);
  m_loading->setAutoFillBackground(true);
  m_loading->hide();
  SetUpFilter();
  QObject::connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, m_table,
                   [this](const QModelIndex& current) { SelectedByUser(current); });
}

// The last column stretches, so its width is the window's, not the user's.
ListView::~ListView() {
  if (m_settingsKey.isEmpty() || m_shownHeadings.empty()) return;
  const QHeaderView* header = m_table->horizontalHeader();
  SaveSortChoice(m_settingsKey,
                 {header->sortIndicatorSection(), header->sortIndicatorOrder() == Qt::DescendingOrder});
  if (m_shownHeadings.size() < 2) return;
  QList<int> widths;
  for (size_t i = 0; i + 1 < m_shownHeadings.size(); ++i)
    widths.append(m_table->columnWidth(static_cast<int>(i)));
  SaveColumnWidths(m_settingsKey, widths);
}

QTableView* ListView::Table() const { return m_table; }

void ListView::SelectedByUser(const QModelIndex& current) {
  if (m_pushing) return;
  m_control.SetSelection(current.isValid() ? m_sorted->mapToSource(current).row() : -1);
  RememberSelectedKey();
  Shown();
}

void ListView::RememberSelectedKey() {
  const int row = m_control.Selection();
  m_selectedKey = row >= 0 ? std::optional(m_control.RowData(row)) : std::nullopt;
}

void ListView::Push() {
  m_pushing = true;
  m_table->setShowGrid((m_control.ExtendedStyle() & LVS_EX_GRIDLINES) != 0);
  if (m_shownContent != m_control.ContentRevision()) {
    const bool reset = m_model->Update();
    if (Headings() != m_shownHeadings) PushColumns();
    m_shownContent = m_control.ContentRevision();
    if (reset) KeepSelectedKey();
  }
  PushSelection();
  RememberSelectedKey();
  PushLoadingMark();
  // Text typed but not applied yet stays as typed.
  if (!m_filterPause->isActive() && m_filter->text() != ToQString(m_control.FilterText()))
    m_filter->setText(ToQString(m_control.FilterText()));
  m_pushing = false;
}

// Each change of the text restarts a short wait; the filter is applied when it ends, so a
// word typed at speed asks the page once, not once per letter. Enter applies it at once and
// goes no further: it would press the window's default button.
void ListView::SetUpFilter() {
  m_filter->setPlaceholderText(QStringLiteral("Filter"));
  m_filter->setMaxLength(static_cast<int>(Control::kMaxFilterCharacters));
  m_filter->setAccessibleName(QStringLiteral("Filter"));
  m_filter->setClearButtonEnabled(true);
  m_filter->hide();
  m_table->SetBottomBar(m_filter);
  m_filterPause->setSingleShot(true);
  m_filterPause->setInterval(kFilterPause);
  auto* find = new QShortcut(QKeySequence::Find, m_table, [this] { OpenFilter(); });
  find->setContext(Qt::WidgetWithChildrenShortcut);
  new QShortcut(
      Qt::Key_Escape, m_filter, [this] { CloseFilter(); }, Qt::WidgetShortcut);
  for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter})
    new QShortcut(
        enter, m_filter, [this] { ApplyFilter(); }, Qt::WidgetShortcut);
  QObject::connect(m_filter, &QLineEdit::textChanged, m_table, [this] {
    if (!m_pushing) m_filterPause->start();
  });
  QObject::connect(m_filterPause, &QTimer::timeout, m_table, [this] { ApplyFilter(); });
}

void ListView::ApplyFilter() {
  m_filterPause->stop();
  const std::string text = FromQString(m_filter->text());
  if (text == m_control.FilterText()) return;
  m_control.SetFilterText(text);
  m_notify(LVN_FILTERCHANGED);
}

void ListView::OpenFilter() {
  m_filter->show();
  m_filter->setFocus();
  m_filter->selectAll();
}

// Esc clears the filter (the whole list comes back) and gives the focus back to the list.
void ListView::CloseFilter() {
  m_filter->clear();
  ApplyFilter();
  m_filter->hide();
  m_table->setFocus();
}

void ListView::PushLoadingMark() {
  m_loading->setVisible(m_control.Filling());
  if (!m_control.Filling()) return;
  m_loading->setText(QStringLiteral(" Loading\u2026 %L1 rows ").arg(m_control.RowCount()));
  m_loading->adjustSize();
  const QRect area = m_table->viewport()->rect();
  m_loading->move(area.right() - m_loading->width(), area.bottom() - m_loading->height());
}

// A refill after which the page selects its first row, as a page does to have one selected,
// keeps the row the user had selected (the one with the same item data) when it is still
// there; else it selects the first row shown, which is the control's first only when unsorted.
// A row the page chose otherwise (an account just added) stays chosen.
void ListView::KeepSelectedKey() {
  if (m_control.Selection() != 0) return;
  if (m_selectedKey) {
    for (int row = 0; row < m_control.RowCount(); ++row)
      if (m_control.RowData(row) == *m_selectedKey) {
        m_control.SetSelection(row);
        return;
      }
  }
  m_control.SetSelection(m_sorted->mapToSource(m_sorted->index(0, 0)).row());
}

std::vector<std::string> ListView::Headings() const {
  std::vector<std::string> headings;
  for (const Control::Column& column : m_control.Columns()) headings.push_back(column.heading);
  return headings;
}

// New columns: the widths and the sorting kept from an earlier run of the same columns, or
// the control's.
void ListView::PushColumns() {
  m_shownHeadings = Headings();
  DescribeColumns();
  const auto& columns = m_control.Columns();
  const SortChoice sorting = m_settingsKey.isEmpty() ? SortChoice() : SavedSortChoice(m_settingsKey);
  if (sorting.column >= 0 && sorting.column < static_cast<int>(columns.size()))
    m_table->sortByColumn(sorting.column, sorting.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
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

// A screen reader says what the columns are; a list without a label is named by them.
void ListView::DescribeColumns() {
  QStringList headings;
  for (const std::string& heading : m_shownHeadings) headings << ToQString(heading);
  const QString columns = headings.join(QStringLiteral(", "));
  if (m_table->accessibleName().isEmpty() || m_namedByColumns) {
    m_table->setAccessibleName(columns);
    m_namedByColumns = true;
  }
  m_table->setAccessibleDescription(QStringLiteral("Columns: %1").arg(columns));
}
