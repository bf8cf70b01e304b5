#include "framework/qt/WindowView.h"

#include <QResizeEvent>
#include <QTimer>

#include "framework/AccessKeys.h"
#include "framework/Control.h"
#include "framework/WindowState.h"
#include "framework/Wnd.h"
#include "framework/qt/ControlLabels.h"
#include "framework/qt/DialogUnits.h"
#include "framework/qt/ListView.h"
#include "framework/qt/QtBackend.h"
#include "framework/qt/SimpleControlViews.h"
#include "framework/qt/QtText.h"

WindowView::WindowView(CWnd& window, QtBackend& backend, QWidget* parent)
    : QWidget(parent), m_window(window), m_backend(backend) {
  Build();
  LinkMnemonics();
}

WindowView::~WindowView() = default;

void WindowView::Build() {
  const res::DialogTemplate& tmpl = *m_window.GetWindowState()->Template();
  setFont(TemplateFont(tmpl));
  setAccessibleName(ToQString(tmpl.caption));
  m_templateSize = DialogUnits::ForFont(font()).ToPixels(tmpl.cx, tmpl.cy);
  setMinimumSize(m_templateSize);
  resize(m_templateSize);
  PlaceControls();
  LabelControls();
  LearnGrowth();
}

void WindowView::PlaceControls() {
  const WindowState& state = *m_window.GetWindowState();
  const res::DialogTemplate& tmpl = *state.Template();
  const DialogUnits units = DialogUnits::ForFont(font());
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
    if (auto* list = dynamic_cast<ListView*>(view.get()))
      list->SetSettingsKey(QStringLiteral("%1-%2").arg(tmpl.id).arg(id));
    m_views.push_back(std::move(view));
  }
}

// A label is centred vertically on the control it labels, whatever the heights the template
// gave them, and names it for screen readers.
void WindowView::LabelControls() {
  const std::vector<int> labelled = ControlBesideEachLabel(m_views);
  NameForAccessibility(m_views, labelled, ToQString(m_window.GetWindowState()->Template()->caption));
  for (size_t i = 0; i < m_views.size(); ++i) {
    if (labelled[i] < 0) continue;
    auto& label = static_cast<StaticView&>(*m_views[i]);
    QWidget* field = m_views[labelled[i]]->Widget();
    label.CentreOn(field->geometry());
    if (field->x() > label.Widget()->x()) label.KeepGapTo(field);
  }
}

void WindowView::LearnGrowth() {
  std::vector<PlacedControl> placed;
  for (const auto& view : m_views) {
    const Control& control = view->GetControl();
    placed.push_back({control.Kind(), control.IsButtonOfType(res::BS_GROUPBOX), view->Widget()->geometry()});
    m_templatePlaces.push_back(view->Widget()->geometry());
  }
  m_controlGrowth = GrowthOfControls(placed, m_templateSize);
  m_growth = GrowthOfWindow(*m_window.GetWindowState()->Template());
}

// Each control is placed from where the template put it, its edges moved by their shares of
// the extra size; one that does not grow keeps its own size (a label widened to its text).
void WindowView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const QSize extra = size() - m_templateSize;
  for (size_t i = 0; i < m_controlGrowth.size(); ++i) {
    const Growth& growth = m_controlGrowth[i];
    QWidget* widget = m_views[i]->Widget();
    const QRect from = m_templatePlaces[i];
    QRect place(from.topLeft(), widget->size());
    place.moveLeft(from.left() + qRound(growth.right * extra.width()));
    if (growth.wider > 0)
      place.setRight(from.right() + qRound((growth.right + growth.wider) * extra.width()));
    if (growth.moveDown) place.moveTop(from.top() + extra.height());
    if (growth.taller) place.setBottom(from.bottom() + extra.height());
    widget->setGeometry(place);
  }
}

// A label's access letter, its own or one chosen for it, focuses the next control that can take
// the focus, as on the platform.
void WindowView::LinkMnemonics() {
  const auto& controls = m_window.GetWindowState()->Controls();
  for (size_t i = 0; i < m_views.size(); ++i) {
    auto* label = dynamic_cast<StaticView*>(m_views[i].get());
    if (!label || (label->GetControl().Text().find('&') == std::string::npos && !WantsAccessKey(controls, i)))
      continue;
    for (size_t next = i + 1; next < m_views.size(); ++next)
      if (m_views[next]->Widget()->focusPolicy() != Qt::NoFocus) {
        label->SetBuddy(m_views[next]->Widget());
        break;
      }
  }
}

void WindowView::Sync() {
  for (const auto& view : m_views) view->Sync();
  SyncAccessKeys();
  SyncFocus();
  SyncTimers();
}

// The letters are chosen as the terminal form chooses them, so both show the same ones; a
// text that changed may change them.
void WindowView::SyncAccessKeys() {
  const std::vector<int> chosen = ChooseAccessKeys(m_window.GetWindowState()->Controls());
  for (size_t i = 0; i < m_views.size(); ++i) m_views[i]->SetAccessKey(chosen[i]);
}

void WindowView::SyncFocus() {
  const WindowState& state = *m_window.GetWindowState();
  if (state.FocusSerial() == m_focusSerial) return;
  m_focusSerial = state.FocusSerial();
  if (QWidget* target = FocusTarget(state.FocusId())) target->setFocus();
}

// The control asked for, or when it takes no input from the keyboard (a read-only field),
// the first one after it that does, as Tab would go.
QWidget* WindowView::FocusTarget(int id) const {
  auto view = m_views.begin();
  while (view != m_views.end() && (*view)->GetControl().Id() != id) ++view;
  return FirstInputFrom(view);
}

QWidget* WindowView::FirstInput() const { return FirstInputFrom(m_views.begin()); }

QWidget* WindowView::FirstInputFrom(std::vector<std::unique_ptr<ControlView>>::const_iterator view) const {
  for (; view != m_views.end(); ++view) {
    QWidget* widget = (*view)->Widget();
    if (widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus)) return widget;
  }
  return nullptr;
}

std::vector<QWidget*> WindowView::Widgets() const {
  std::vector<QWidget*> widgets;
  for (const auto& view : m_views) widgets.push_back(view->Widget());
  return widgets;
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
    if (timer->interval() != static_cast<int>(elapse) || !timer->isActive())
      timer->start(static_cast<int>(elapse));
  }
}
