#include "framework/qt/ModalView.h"

#include <QVBoxLayout>

#include "framework/Wnd.h"
#include "framework/qt/ControlView.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/WindowView.h"

ModalView::ModalView(CWnd& window, QtBackend& backend, QWidget* parent)
    : QDialog(parent), m_window(window), m_backend(backend) {}

void ModalView::reject() {
  m_backend.Deliver([this] { m_window.OnCommand(IDCANCEL, BN_CLICKED); });
}

void ModalView::SyncCaption() {
  const QString caption = ToQString(m_window.GetWindowText());
  if (windowTitle() != caption) setWindowTitle(caption);
}

DialogView::DialogView(CWnd& dialog, QtBackend& backend, QWidget* parent)
    : ModalView(dialog, backend, parent), m_client(new WindowView(dialog, backend, this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(m_client);
}

void DialogView::Sync() {
  SyncCaption();
  m_client->Sync();
}
