#include "framework/qt/ListSortModel.h"

#include <algorithm>
#include <functional>
#include <charconv>
#include <numeric>
#include <optional>
#include <string>
#include <string_view>

#include "framework/Control.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The run of digits at the start of `text`, without its leading zeros; `text` moves past it.
std::string_view TakeNumber(std::string_view& text) {
  size_t end = 0;
  while (end < text.size() && IsDigit(text[end])) ++end;
  std::string_view number = text.substr(0, end);
  text.remove_prefix(end);
  while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
  return number;
}

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Texts in the order people read them: a run of digits inside a text compares as the number
// it is ("home2" before "home10", and an address octet by octet), everything else byte by byte
// without regard to ASCII case.
int CompareNaturally(std::string_view a, std::string_view b) {
  while (!a.empty() && !b.empty()) {
    if (IsDigit(a.front()) && IsDigit(b.front())) {
      const std::string_view left = TakeNumber(a);
      const std::string_view right = TakeNumber(b);
      if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
      if (const int order = left.compare(right); order != 0) return order;
      continue;
    }
    const auto left = static_cast<unsigned char>(FoldCase(a.front()));
    const auto right = static_cast<unsigned char>(FoldCase(b.front()));
    if (left != right) return left < right ? -1 : 1;
    a.remove_prefix(1);
    b.remove_prefix(1);
  }
  return a.empty() == b.empty() ? 0 : a.empty() ? -1 : 1;
}

// The cell's value when it is a whole or decimal number, such as a quota.
std::optional<double> ReadNumber(std::string_view cell) {
  const char* first = cell.data();
  const char* last = first + cell.size();
  const char* digit = (first != last && *first == '-') ? first + 1 : first;
  if (digit == last || !IsDigit(*digit)) return std::nullopt;  // from_chars takes "inf" and "nan"
  double value = 0;
  const auto [end, error] = std::from_chars(first, last, value);
  if (error != std::errc() || end != last) return std::nullopt;
  return value;
}

// The order of the control's rows by one column, read straight from its cells: numbers before
// text; ties keep the control's order whichever way the list is sorted.
class CellOrder {
 public:
  CellOrder(const Control& control, int column, Qt::SortOrder order)
      : m_control(control), m_column(column), m_descending(order == Qt::DescendingOrder) {}

  bool operator()(int left, int right) const {
    const std::string_view a = m_control.Cell(left, m_column);
    const std::string_view b = m_control.Cell(right, m_column);
    const std::optional<double> x = ReadNumber(a);
    const std::optional<double> y = ReadNumber(b);
    int order = 0;
    if (x.has_value() != y.has_value())
      order = x ? -1 : 1;
    else if (x)
      order = *x < *y ? -1 : *x > *y ? 1 : 0;
    else
      order = CompareNaturally(a, b);
    if (order != 0) return (order < 0) != m_descending;
    return left < right;
  }

 private:
  const Control& m_control;
  const int m_column;
  const bool m_descending;
};

}  // namespace

ListSortModel::ListSortModel(const Control& control, QObject* parent)
    : QAbstractProxyModel(parent), m_control(control) {}

// A refill is sorted again; rows added at the end go into their places.
void ListSortModel::setSourceModel(QAbstractItemModel* source) {
  beginResetModel();
  QAbstractProxyModel::setSourceModel(source);
  connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
  connect(source, &QAbstractItemModel::modelReset, this, [this] {
    Reorder();
    endResetModel();
  });
  connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
          [this](const QModelIndex&, int first, int last) {
            if (!m_ordered) beginInsertRows({}, first, last);
          });
  connect(source, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
    if (m_ordered)
      InsertSorted(first, last);
    else
      endInsertRows();
  });
  Reorder();
  endResetModel();
}

int ListSortModel::ControlRow(int shownRow) const {
  return m_ordered ? m_controlRowShownAt[shownRow] : shownRow;
}

int ListSortModel::ShownRow(int controlRow) const {
  if (!m_ordered) return controlRow;
  return controlRow < static_cast<int>(m_shownRowOfControlRow.size()) ? m_shownRowOfControlRow[controlRow]
                                                                      : -1;
}

QModelIndex ListSortModel::mapToSource(const QModelIndex& shown) const {
  if (!shown.isValid() || !sourceModel()) return {};
  return sourceModel()->index(ControlRow(shown.row()), shown.column());
}

QModelIndex ListSortModel::mapFromSource(const QModelIndex& source) const {
  return source.isValid() ? index(ShownRow(source.row()), source.column()) : QModelIndex();
}

QModelIndex ListSortModel::index(int row, int column, const QModelIndex& parent) const {
  return hasIndex(row, column, parent) ? createIndex(row, column) : QModelIndex();
}

QModelIndex ListSortModel::parent(const QModelIndex&) const { return {}; }

int ListSortModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !sourceModel()) return 0;
  return m_ordered ? static_cast<int>(m_controlRowShownAt.size()) : sourceModel()->rowCount();
}

int ListSortModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !sourceModel() ? 0 : sourceModel()->columnCount();
}

QVariant ListSortModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return sourceModel() ? sourceModel()->headerData(section, orientation, role) : QVariant();
}

void ListSortModel::sort(int column, Qt::SortOrder order) {
  Rearrange([this, column, order] {
    m_sortColumn = column;
    m_sortOrder = order;
    Reorder();
  });
}

// Rows the view holds on to (the current and selected one) stay on the same control rows.
void ListSortModel::Rearrange(const std::function<void()>& reorder) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList held = persistentIndexList();
  QModelIndexList sources;
  for (const QModelIndex& index : held) sources.append(mapToSource(index));
  reorder();
  QModelIndexList moved;
  for (const QModelIndex& source : sources) moved.append(mapFromSource(source));
  changePersistentIndexList(held, moved);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListSortModel::Reorder() {
  const int rows = sourceModel() ? sourceModel()->rowCount() : 0;
  m_ordered = m_sortColumn >= 0 && m_sortColumn < static_cast<int>(m_control.Columns().size());
  m_controlRowShownAt.clear();
  if (m_ordered) {
    m_controlRowShownAt.resize(rows);
    std::iota(m_controlRowShownAt.begin(), m_controlRowShownAt.end(), 0);
    std::sort(m_controlRowShownAt.begin(), m_controlRowShownAt.end(),
              CellOrder(m_control, m_sortColumn, m_sortOrder));
  }
  IndexShownRows();
}

// The new rows are shown at the end first, then moved into their places: each is looked up
// among the rows already sorted, so a list that fills costs a search per row, not a sort.
void ListSortModel::InsertSorted(int first, int last) {
  const int sorted = static_cast<int>(m_controlRowShownAt.size());
  beginInsertRows({}, sorted, sorted + last - first);
  for (int row = first; row <= last; ++row) m_controlRowShownAt.push_back(row);
  IndexShownRows();
  endInsertRows();
  Rearrange([this, sorted] {
    const CellOrder before(m_control, m_sortColumn, m_sortOrder);
    std::vector<int> added(m_controlRowShownAt.begin() + sorted, m_controlRowShownAt.end());
    std::sort(added.begin(), added.end(), before);
    std::vector<int> merged;
    merged.reserve(m_controlRowShownAt.size());
    auto from = m_controlRowShownAt.cbegin();
    const auto end = from + sorted;
    for (const int row : added) {
      const auto place = std::upper_bound(from, end, row, before);
      merged.insert(merged.end(), from, place);
      merged.push_back(row);
      from = place;
    }
    merged.insert(merged.end(), from, end);
    m_controlRowShownAt = std::move(merged);
    IndexShownRows();
  });
}

void ListSortModel::IndexShownRows() {
  m_shownRowOfControlRow.assign(m_controlRowShownAt.size(), -1);
  for (size_t shown = 0; shown < m_controlRowShownAt.size(); ++shown)
    m_shownRowOfControlRow[m_controlRowShownAt[shown]] = static_cast<int>(shown);
}
