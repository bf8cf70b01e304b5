#include "framework/qt/ListSortModel.h"

#include <algorithm>
#include <charconv>
#include <numeric>
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

// Texts in the order people read them: a run of digits inside a text compares as the number
// it is ("home2" before "home10", and an address octet by octet), everything else byte by byte.
int CompareNaturally(std::string_view a, std::string_view b) {
  while (!a.empty() && !b.empty()) {
    if (IsDigit(a.front()) && IsDigit(b.front())) {
      const std::string_view left = TakeNumber(a);
      const std::string_view right = TakeNumber(b);
      if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
      if (const int order = left.compare(right); order != 0) return order;
      continue;
    }
    if (a.front() != b.front())
      return static_cast<unsigned char>(a.front()) < static_cast<unsigned char>(b.front()) ? -1 : 1;
    a.remove_prefix(1);
    b.remove_prefix(1);
  }
  return a.empty() == b.empty() ? 0 : a.empty() ? -1 : 1;
}

// What the cells of the sorted column sort by, worked out once per sort: a cell's number, or
// its text in lower case. The texts share one buffer, so sorting moves no strings.
class SortKeys {
 public:
  SortKeys(const Control& control, int column) {
    static const std::string kEmpty;
    m_keys.reserve(control.Rows().size());
    for (const Control::Row& row : control.Rows())
      Add(column < static_cast<int>(row.cells.size()) ? row.cells[column] : kEmpty);
  }

  // Numbers before text; ties keep the control's order whichever way the list is sorted.
  bool Before(int left, int right, bool descending) const {
    const Key& a = m_keys[left];
    const Key& b = m_keys[right];
    if (a.isNumber != b.isNumber) return a.isNumber != descending;
    const int order = a.isNumber ? (a.number < b.number   ? -1
                                    : a.number > b.number ? 1
                                                          : 0)
                                 : CompareTexts(a, b);
    if (order != 0) return (order < 0) != descending;
    return left < right;
  }

 private:
  struct Key {
    bool isNumber = false;
    double number = 0;
    size_t textStart = 0;
    size_t textLength = 0;
  };

  // The cell's value when it is a whole or decimal number, such as a quota.
  static bool ReadNumber(const std::string& cell, double& value) {
    const char* first = cell.data();
    const char* last = first + cell.size();
    const char* digit = (first != last && *first == '-') ? first + 1 : first;
    if (digit == last || *digit < '0' || *digit > '9') return false;  // from_chars takes "inf" and "nan"
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc() && end == last;
  }

  void Add(const std::string& cell) {
    Key key;
    key.isNumber = ReadNumber(cell, key.number);
    if (!key.isNumber) {
      key.textStart = m_texts.size();
      key.textLength = cell.size();
      for (char c : cell) m_texts.push_back((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
    }
    m_keys.push_back(key);
  }

  int CompareTexts(const Key& a, const Key& b) const {
    return CompareNaturally(std::string_view(m_texts).substr(a.textStart, a.textLength),
                            std::string_view(m_texts).substr(b.textStart, b.textLength));
  }

  std::vector<Key> m_keys;
  std::string m_texts;
};

}  // namespace

ListSortModel::ListSortModel(const Control& control, QObject* parent)
    : QAbstractProxyModel(parent), m_control(control) {}

// The list model only ever resets: a refill is sorted again.
void ListSortModel::setSourceModel(QAbstractItemModel* source) {
  beginResetModel();
  QAbstractProxyModel::setSourceModel(source);
  connect(source, &QAbstractItemModel::modelAboutToBeReset, this, [this] { beginResetModel(); });
  connect(source, &QAbstractItemModel::modelReset, this, [this] {
    Reorder();
    endResetModel();
  });
  Reorder();
  endResetModel();
}

int ListSortModel::ControlRow(int shownRow) const {
  return m_controlRowShownAt.empty() ? shownRow : m_controlRowShownAt[shownRow];
}

// -1 for a row inserted since the last sort (the view is about to be reset).
int ListSortModel::ShownRow(int controlRow) const {
  if (m_shownRowOfControlRow.empty()) return controlRow;
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

// Sorted, the rows sorted last; they are the control's until the control changes.
int ListSortModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !sourceModel()) return 0;
  return m_controlRowShownAt.empty() ? sourceModel()->rowCount()
                                     : static_cast<int>(m_controlRowShownAt.size());
}

int ListSortModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !sourceModel() ? 0 : sourceModel()->columnCount();
}

QVariant ListSortModel::headerData(int section, Qt::Orientation orientation, int role) const {
  return sourceModel() ? sourceModel()->headerData(section, orientation, role) : QVariant();
}

// Rows the view holds on to (the current and selected one) stay on the same control rows.
void ListSortModel::sort(int column, Qt::SortOrder order) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList held = persistentIndexList();
  QModelIndexList sources;
  for (const QModelIndex& index : held) sources.append(mapToSource(index));
  m_sortColumn = column;
  m_sortOrder = order;
  Reorder();
  QModelIndexList moved;
  for (const QModelIndex& source : sources) moved.append(mapFromSource(source));
  changePersistentIndexList(held, moved);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListSortModel::Reorder() {
  m_controlRowShownAt.clear();
  m_shownRowOfControlRow.clear();
  if (m_sortColumn < 0 || m_sortColumn >= static_cast<int>(m_control.Columns().size())) return;
  const SortKeys keys(m_control, m_sortColumn);
  const bool descending = m_sortOrder == Qt::DescendingOrder;
  m_controlRowShownAt.resize(m_control.Rows().size());
  std::iota(m_controlRowShownAt.begin(), m_controlRowShownAt.end(), 0);
  std::sort(m_controlRowShownAt.begin(), m_controlRowShownAt.end(),
            [&keys, descending](int left, int right) { return keys.Before(left, right, descending); });
  m_shownRowOfControlRow.resize(m_controlRowShownAt.size());
  for (size_t shown = 0; shown < m_controlRowShownAt.size(); ++shown)
    m_shownRowOfControlRow[m_controlRowShownAt[shown]] = static_cast<int>(shown);
}
