#include "framework/qt/WindowView.h"

#include <QTimer>

#include "framework/Control.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/SimpleControlViews.h"

WindowView::WindowView(CWnd& window, QtBackend& backend, QWidget* parent)
    : QWidget(parent), m_window(window), m_backend(backend) {
  Build();
  LinkMnemonics();
}

WindowView::~WindowView() = default;

void WindowView::Build() {
  const WindowState& state = *m_window.GetWindowState();
  const res::DialogTemplate& tmpl = *state.Template();
  setFont(TemplateFont(tmpl));
  const DialogUnits units = DialogUnits::ForFont(font());
  setFixedSize(units.ToPixels(tmpl.cx, tmpl.cy));

  // The window's controls were made from the template's, in the same order.
  for (size_t i = 0; i < state.Controls().size(); ++i) {
    Control& control = *state.Controls()[i];
    const int id = control.Id();
    auto view = MakeControlView(control, this, [this, id](UINT code) {
      m_backend.Deliver([this, id, code] { m_window.OnCommand(id, code); });
    });
    QWidget* widget = view->Widget();
    if (id != res::IDC_STATIC) widget->setObjectName(QString::number(id));
    QRect place = units.ToPixels(tmpl.controls[i].rect);
    // A combo box's template height includes its open list; closed, it is as high as its text.
    if (control.Kind() == res::ControlKind::ComboBox) place.setHeight(widget->sizeHint().height());
    widget->setGeometry(place);
    if (control.IsButtonOfType(res::BS_GROUPBOX)) widget->lower();  // a frame behind its controls
    m_views.push_back(std::move(view));
  }
}

// A label's mnemonic focuses the next control that can take the focus, as on the platform.
void WindowView::LinkMnemonics() {
  for (size_t i = 0; i < m_views.size(); ++i) {
    auto* label = dynamic_cast<StaticView*>(m_views[i].get());
    if (!label || label->GetControl().Text().find('&') == std::string::npos) continue;
    for (size_t next = i + 1; next < m_views.size(); ++next)
      if (m_views[next]->Widget()->focusPolicy() != Qt::NoFocus) {
        label->SetBuddy(m_views[next]->Widget());
        break;
      }
  }
}

void WindowView::Sync() {
  for (const auto& view : m_views) view->Sync();
  SyncFocus();
  SyncTimers();
}

void WindowView::SyncFocus() {
  const WindowState& state = *m_window.GetWindowState();
  if (state.FocusSerial() == m_focusSerial) return;
  m_focusSerial = state.FocusSerial();
  for (const auto& view : m_views)
    if (view->GetControl().Id() == state.FocusId()) view->Widget()->setFocus();
}

void WindowView::SyncTimers() {
  const std::map<UINT_PTR, UINT>& wanted = m_window.GetWindowState()->Timers();
  for (auto it = m_timers.begin(); it != m_timers.end();) {
    if (wanted.count(it->first)) {
      ++it;
      continue;
    }
    delete it->second;
    it = m_timers.erase(it);
  }
  for (const auto& [id, elapse] : wanted) {
    QTimer*& timer = m_timers[id];
    if (!timer) {
      timer = new QTimer(this);
      connect(timer, &QTimer::timeout, this,
              [this, id = id] { m_backend.Deliver([this, id] { m_window.OnTimer(id); }); });
    }
    if (timer->interval() != static_cast<int>(elapse) || !timer->isActive()) timer->start(static_cast<int>(elapse));
  }
}
