#include "framework/qt/ModalView.h"

#include <algorithm>

#include <QCursor>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QVBoxLayout>
#include <QtMath>

#include "framework/WindowState.h"
#include "framework/Wnd.h"
#include "framework/qt/ControlView.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/ViewSettings.h"
#include "framework/qt/WindowView.h"
#include "framework/qt/QtText.h"

ModalView::ModalView(CWnd& window, QtBackend& backend, QWidget* parent)
    : QDialog(parent), m_window(window), m_backend(backend) {}

void ModalView::reject() {
  m_backend.Deliver([this] { m_window.OnCommand(IDCANCEL, BN_CLICKED); });
}

// The size is kept only when the user changed it: rounding to the screen's pixels must not
// make it creep from one run to the next.
void ModalView::done(int result) {
  if (!m_settingsKey.isEmpty() && m_openedSize.isValid() && size() != m_openedSize)
    SaveWindowScale(m_settingsKey, QSizeF(static_cast<double>(width()) / m_smallest.width(),
                                          static_cast<double>(height()) / m_smallest.height()));
  QDialog::done(result);
}

void ModalView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (m_openedSize.isValid()) return;
  FitOnScreen();
  m_openedSize = size();
}

// The whole window, frame included, on the available part of its screen: smaller when it
// must be, then moved in from the edges it crosses.
void ModalView::FitOnScreen() {
  QRect room = screen()->availableGeometry();
  // At a fractional scale the screen's last pixel may be only partly inside the window's
  // coordinates: leave it out, so that the window does not cross the edge by a pixel.
  if (const qreal ratio = devicePixelRatioF(); ratio != qFloor(ratio)) room.adjust(0, 0, -1, -1);
  const QSize frame = frameGeometry().size() - size();
  resize(size().boundedTo(room.size() - frame).expandedTo(minimumSize()));
  QRect outer = frameGeometry();
  outer.moveRight(std::min(outer.right(), room.right()));
  outer.moveBottom(std::min(outer.bottom(), room.bottom()));
  outer.moveLeft(std::max(outer.left(), room.left()));
  outer.moveTop(std::max(outer.top(), room.top()));
  move(outer.topLeft());
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
  m_smallest = smallest;
  const QSizeF scale = SavedWindowScale(settingsKey);
  if (!scale.isValid()) return;
  const QSize kept(qRound(smallest.width() * scale.width()), qRound(smallest.height() * scale.height()));
  resize(kept.boundedTo(maximumSize()).boundedTo(ScreenRoom()).expandedTo(smallest));
}

// The room for this window's client area on the screen it opens on: its parent's, else the
// one under the mouse pointer; the frame the window manager adds is allowed for once known.
QSize ModalView::ScreenRoom() const {
  const QScreen* screen =
      parentWidget() ? parentWidget()->screen() : QGuiApplication::screenAt(QCursor::pos());
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  const QSize frame = parentWidget() ? parentWidget()->window()->frameGeometry().size() -
                                           parentWidget()->window()->geometry().size()
                                     : QSize(0, 0);
  return screen->availableGeometry().size() - frame;
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
