#include "framework/qt/ControlView.h"

#include "framework/Control.h"
#include "framework/qt/ListView.h"
#include "framework/qt/SimpleControlViews.h"
#include "framework/qt/QtText.h"

ControlView::ControlView(Control& control, QWidget* widget)
    : m_control(control), m_widget(widget), m_shownRevision(control.Revision() - 1) {}

ControlView::~ControlView() { delete m_widget.data(); }

void ControlView::Sync() {
  if (!m_widget || m_shownRevision == m_control.Revision()) return;
  m_widget->setEnabled(m_control.Enabled());
  Push();
  Shown();
}

void ControlView::Shown() { m_shownRevision = m_control.Revision(); }

void ControlView::SetAccessKey(int index) {
  if (index == m_accessKey) return;
  m_accessKey = index;
  if (m_widget) Push();
}

QString ControlView::TextWithAccessKey() const {
  const QString text = ToQString(m_control.Text());
  if (m_accessKey < 0) return text;
  const QList<uint> shown = WithoutMnemonics(text).toUcs4();
  QString marked;
  for (qsizetype i = 0; i < shown.size(); ++i) {
    if (i == m_accessKey) marked += u'&';
    const auto character = static_cast<char32_t>(shown[i]);
    marked += character == U'&' ? QStringLiteral("&&") : QString::fromUcs4(&character, 1);
  }
  return marked;
}

std::unique_ptr<ControlView> MakeControlView(Control& control, QWidget* parent, ControlView::Notify notify) {
  switch (control.Kind()) {
    case res::ControlKind::Edit:
      return std::make_unique<EditView>(control, parent);
    case res::ControlKind::Static:
      return std::make_unique<StaticView>(control, parent);
    case res::ControlKind::Button:
      return std::make_unique<ButtonView>(control, parent, std::move(notify));
    case res::ControlKind::ComboBox:
      return std::make_unique<ComboView>(control, parent, std::move(notify));
    case res::ControlKind::ListView:
      return std::make_unique<ListView>(control, parent, std::move(notify));
  }
  return nullptr;
}
