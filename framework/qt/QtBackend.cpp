#include "framework/qt/QtBackend.h"

#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "framework/FolderBrowser.h"
#include "framework/MessageBox.h"
#include "framework/PropertySheet.h"
#include "framework/WindowState.h"
#include "framework/qt/ControlView.h"
#include "framework/qt/ModalView.h"
#include "framework/qt/SheetView.h"

namespace {

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
  for (ModalView* view : m_open) view->Sync();
}
