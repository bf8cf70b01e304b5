#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <algorithm>
#include <stdexcept>
#include <string>

#include "bench/Listing.h"
#include "bench/Measure.h"
#include "bench/ShowSheet.h"
#include "framework/Backend.h"
#include "framework/ListFill.h"
#include "framework/MessageBox.h"
#include "framework/qt/QtBackend.h"

namespace {

// Chooses "(local)" as a user would, turns the event loop until the list is full, timing each
// turn, and presses Cancel. Returns what went wrong, or nothing.
std::string ListOnOpenSheet(ListingResult& result) {
  QWidget* sheet = QApplication::activeModalWidget();
  auto* combo = sheet ? sheet->findChild<QComboBox*>(QString::number(IDC_COMPUTER)) : nullptr;
  auto* list = sheet ? sheet->findChild<QAbstractItemView*>(QString::number(IDC_USER_LIST)) : nullptr;
  auto* cancel = sheet ? sheet->findChild<QAbstractButton*>(QString::number(IDCANCEL)) : nullptr;
  if (!combo || !list || !cancel) return "the Users page is not showing";
  result.peakBeforeKiB = PeakRssKiB();
  const Stopwatch clock;
  const int index = combo->findText("(local)");
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  do {
    const Stopwatch turn;
    QApplication::processEvents();
    result.longestTurnSeconds = std::max(result.longestTurnSeconds, turn.Seconds());
    if (result.firstRowsSeconds == 0 && list->model()->rowCount() > 0)
      result.firstRowsSeconds = clock.Seconds();
  } while (AnyListFilling());
  result.seconds = clock.Seconds();
  result.rows = list->model()->rowCount();
  cancel->click();
  return {};
}

}  // namespace

ListingResult ListWithQtBackend(ConfigDatabase& session) {
  static int argc = 1;
  static char name[] = "veltrane-bench-listing";
  static char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  QtBackend backend;
  BackendScope use(backend);
  ListingResult result;
  std::string failure;
  QTimer::singleShot(0, &application, [&] {
    failure = ListOnOpenSheet(result);
    // A sheet that did not show what was expected must not wait for a user.
    if (!failure.empty())
      while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(0);
  });
  ShowSheet(session, kUsersPage);
  if (!failure.empty()) throw std::runtime_error(failure);
  return result;
}
