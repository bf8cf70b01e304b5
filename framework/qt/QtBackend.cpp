#include "framework/qt/QtBackend.h"

#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "framework/FolderBrowser.h"
#include "framework/ListFill.h"
#include "framework/MessageBox.h"
#include "framework/PropertySheet.h"
#include "framework/WindowState.h"
#include "framework/qt/ControlView.h"
#include "framework/qt/ModalView.h"
#include "framework/qt/SheetView.h"
#include "framework/qt/QtText.h"

namespace {

// A filling list takes rows a slice at a time for at least this long in a turn of the event
// loop, and for at least twice as long as the windows last took to catch up, so that a large
// list spends most of its time reading.
constexpr int kRowsPerFillSlice = 64;
constexpr auto kFillTimePerTurn = std::chrono::milliseconds(10);
// Between a fill's first rows and its end the windows catch up at most this often: each time
// redraws the lists, which would otherwise take a good part of a long fill.
constexpr auto kFillShowInterval = std::chrono::milliseconds(100);

QMessageBox::Icon IconOf(UINT style) {
  switch (style & MB_ICONMASK) {
    case MB_ICONERROR:
      return QMessageBox::Critical;
    case MB_ICONQUESTION:
      return QMessageBox::Question;
    case MB_ICONWARNING:
      return QMessageBox::Warning;
    case MB_ICONINFORMATION:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButton ButtonOf(int result) {
  switch (result) {
    case IDCANCEL:
      return QMessageBox::Cancel;
    case IDYES:
      return QMessageBox::Yes;
    case IDNO:
      return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

}  // namespace

QtBackend::QtBackend() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
    throw std::logic_error("the Qt user interface needs a QApplication");
  m_fillTimer = std::make_unique<QTimer>();
  m_fillTimer->setInterval(0);
  QObject::connect(m_fillTimer.get(), &QTimer::timeout, [this] { FeedListFills(); });
}

QtBackend::~QtBackend() {
  if (m_busy) QApplication::restoreOverrideCursor();
}

QWidget* QtBackend::TopWindow() const { return m_open.empty() ? nullptr : m_open.back(); }

void QtBackend::RunModal(CWnd& window) {
  SyncAll();  // what the logic changed before opening this window shows behind it
  std::unique_ptr<ModalView> view;
  if (auto* sheet = dynamic_cast<CPropertySheet*>(&window))
    view = std::make_unique<SheetView>(*sheet, *this, TopWindow());
  else
    view = std::make_unique<DialogView>(window, *this, TopWindow());
  m_open.push_back(view.get());
  view->Sync();
  view->exec();
  m_open.pop_back();
  // Closed by something other than the window's own logic (the application quitting).
  if (!window.GetWindowState()->Ended()) window.EndModalLoop(IDCANCEL);
}

void QtBackend::EndModal(CWnd& window) {
  for (ModalView* view : m_open)
    if (&view->Window() == &window) view->done(window.GetWindowState()->Result());
}

int QtBackend::MessageBox(CWnd*, const std::string& text, const std::string& caption, UINT style) {
  SyncAll();
  const std::vector<int> results = MessageBoxResults(style);
  QMessageBox box(IconOf(style), ToQString(caption), ToQString(text), QMessageBox::NoButton, TopWindow());
  for (int result : results) box.addButton(ButtonOf(result));
  box.setDefaultButton(ButtonOf(results.front()));
  box.setAccessibleDescription(box.text());  // read out with the caption when the box opens
  box.exec();
  const QMessageBox::StandardButton pressed = box.standardButton(box.clickedButton());
  for (int result : results)
    if (ButtonOf(result) == pressed) return result;
  return results.back();
}

std::optional<std::string> QtBackend::BrowseForFolder(CWnd* owner, const std::string& title, UINT) {
  SyncAll();
  const QString folder = QFileDialog::getExistingDirectory(
      TopWindow(), ToQString(title), ToQString(FolderToStartIn(owner)), QFileDialog::ShowDirsOnly);
  if (folder.isEmpty()) return std::nullopt;
  return FromQString(folder);
}

void QtBackend::Deliver(const std::function<void()>& action) {
  RunReportingErrors(action);
  SyncAll();
}

void QtBackend::SyncAll() {
  const auto start = std::chrono::steady_clock::now();
  for (ModalView* view : m_open) view->Sync();
  m_lastSyncEnd = std::chrono::steady_clock::now();
  m_lastSync = m_lastSyncEnd - start;
  m_syncAfterFeed = true;
  FollowListFills();
}

void QtBackend::FeedListFills() {
  if (m_feeding) return;
  m_feeding = true;
  m_fillTimer->stop();
  const auto until = std::chrono::steady_clock::now() +
                     std::max<std::chrono::steady_clock::duration>(kFillTimePerTurn, 2 * m_lastSync);
  RunReportingErrors([&until] {
    while (ContinueListFills(kRowsPerFillSlice) && std::chrono::steady_clock::now() < until) {
    }
  });
  m_feeding = false;
  const bool show = m_syncAfterFeed || !AnyListFilling() ||
                    std::chrono::steady_clock::now() - m_lastSyncEnd >= kFillShowInterval;
  if (show) SyncAll();
  m_syncAfterFeed = false;
  if (!show) FollowListFills();
}

void QtBackend::FollowListFills() {
  const bool filling = AnyListFilling();
  if (filling && !m_feeding && !m_fillTimer->isActive()) m_fillTimer->start();
  if (!filling) m_fillTimer->stop();
  if (filling == m_busy) return;
  m_busy = filling;
  if (filling)
    QApplication::setOverrideCursor(Qt::BusyCursor);
  else
    QApplication::restoreOverrideCursor();
}
