#pragma once
// A report-view list: a ListTable over the control's rows (ListModel) in the order the user
// chose (ListSortModel). Choosing a row writes its control index into the control's
// selection; the pages ask for it when they need it. The control's column widths are shown
// in proportion to the window's font; once shown, a width the user gives a column stays
// through refills of the rows and is kept between runs under the list's settings key, with the
// column the list is sorted by. A refill keeps the selected row selected, by its item data.
// While the control is still filling, a "Loading…" mark with the rows so far stands in the
// list's lower right corner. Ctrl+F opens a filter field below the rows: what is typed there
// becomes the control's filter text (LVN_FILTERCHANGED) after a pause in the typing, or at
// Enter; Esc clears and closes it.

#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "framework/qt/ControlView.h"

class ListModel;
class ListSortModel;
class ListTable;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

class ListView : public ControlView {
 public:
  ListView(Control& control, QWidget* parent, Notify notify);
  ~ListView() override;

  QTableView* Table() const;
  // Where the column widths are kept, "TEMPLATE-CONTROL" (the two ids); without one they are not kept.
  void SetSettingsKey(const QString& key) { m_settingsKey = key; }

 protected:
  void Push() override;

 private:
  void PushColumns();
  void DescribeColumns();
  void PushSelection();
  void PushLoadingMark();
  void SetUpFilter();
  void ApplyFilter();
  void OpenFilter();
  void CloseFilter();
  void SelectedByUser(const QModelIndex& current);
  void RememberSelectedKey();
  void KeepSelectedKey();
  std::vector<std::string> Headings() const;

  ListTable* m_table;
  ListModel* m_model;
  ListSortModel* m_sorted;
  QLabel* m_loading;
  QLineEdit* m_filter;
  QTimer* m_filterPause;
  Notify m_notify;
  unsigned m_shownContent;
  std::vector<std::string> m_shownHeadings;
  QString m_settingsKey;
  std::optional<DWORD_PTR> m_selectedKey;  // the item data of the row last selected
  bool m_namedByColumns = false;
  bool m_pushing = false;  // selection changes of our own are not the user's
};
