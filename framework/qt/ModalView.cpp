#include "framework/qt/ModalView.h"

#include <QLayout>
#include <QVBoxLayout>

#include "framework/WindowState.h"
#include "framework/Wnd.h"
#include "framework/qt/ControlView.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/ViewSettings.h"
#include "framework/qt/WindowView.h"

ModalView::ModalView(CWnd& window, QtBackend& backend, QWidget* parent)
    : QDialog(parent), m_window(window), m_backend(backend) {}

void ModalView::reject() {
  m_backend.Deliver([this] { m_window.OnCommand(IDCANCEL, BN_CLICKED); });
}

void ModalView::done(int result) {
  if (!m_settingsKey.isEmpty()) SaveWindowSize(m_settingsKey, size());
  QDialog::done(result);
}

void ModalView::SyncCaption() {
  const QString caption = ToQString(m_window.GetWindowText());
  if (windowTitle() != caption) setWindowTitle(caption);
}

void ModalView::AllowGrowth(bool wide, bool tall, const QString& settingsKey) {
  layout()->activate();  // works out the smallest size
  const QSize smallest = minimumSize();
  setMaximumSize(wide ? QWIDGETSIZE_MAX : smallest.width(), tall ? QWIDGETSIZE_MAX : smallest.height());
  if (!wide && !tall) return;
  setSizeGripEnabled(true);
  m_settingsKey = settingsKey;
  const QSize saved = SavedWindowSize(settingsKey);
  if (saved.isValid()) resize(saved.expandedTo(smallest).boundedTo(maximumSize()));
}

DialogView::DialogView(CWnd& dialog, QtBackend& backend, QWidget* parent)
    : ModalView(dialog, backend, parent), m_client(new WindowView(dialog, backend, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_client);
  const WindowGrowth growth = m_client->Grows();
  AllowGrowth(growth.wide, growth.tall,
              QStringLiteral("Dialog%1").arg(dialog.GetWindowState()->Template()->id));
}

void DialogView::Sync() {
  SyncCaption();
  m_client->Sync();
}
