#include "framework/qt/SimpleControlViews.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QtMath>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include "framework/Control.h"
#include "framework/qt/GroupFrame.h"
#include "framework/qt/QtText.h"

namespace {

QWidget* MakeButtonWidget(const Control& control, QWidget* parent) {
  if (control.IsButtonOfType(res::BS_GROUPBOX)) return new GroupFrame(parent);
  if (control.IsCheckBox()) return new QCheckBox(parent);
  auto* button = new QPushButton(parent);
  button->setDefault(control.IsButtonOfType(res::BS_DEFPUSHBUTTON));
  return button;
}

// A bitmap drawn pixel by pixel, as many screen pixels as the screen has per pixel of the
// window: each pixel repeated to the next whole multiple (kept sharp), then brought down to the
// ratio, instead of being smoothed up from one screen pixel each.
QPixmap AtDeviceScale(const QPixmap& picture, qreal ratio) {
  if (ratio <= 1) return picture;
  const int whole = qCeil(ratio);
  QPixmap drawn = picture.scaled(picture.size() * whole, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  if (whole != ratio)
    drawn = drawn.scaled((QSizeF(picture.size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
  drawn.setDevicePixelRatio(ratio);
  return drawn;
}

}  // namespace

EditView::EditView(Control& control, QWidget* parent)
    : ControlView(control, new QLineEdit(parent)), m_edit(static_cast<QLineEdit*>(Widget())) {
  if (control.Style() & res::ES_PASSWORD) m_edit->setEchoMode(QLineEdit::Password);
  if (control.Style() & res::ES_NUMBER)
    m_edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_edit));
  QObject::connect(m_edit, &QLineEdit::textEdited, m_edit, [this](const QString& text) {
    m_control.SetText(FromQString(text));
    Shown();
  });
  ShowReadOnly(control.ReadOnly());
}

void EditView::Push() {
  const QString text = ToQString(m_control.Text());
  if (m_edit->text() != text) m_edit->setText(text);
  if (m_edit->isReadOnly() != m_control.ReadOnly()) ShowReadOnly(m_control.ReadOnly());
}

// A read-only field has the background of a disabled one and is left out of the Tab order,
// as is one whose template gives it no tab stop; a click still focuses it, to copy its text.
void EditView::ShowReadOnly(bool readOnly) {
  m_edit->setReadOnly(readOnly);
  const bool tabStop = (m_control.Style() & res::WS_TABSTOP) && !readOnly;
  m_edit->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
  QPalette look;  // resolves nothing: the inherited palette
  if (readOnly) {
    look = m_edit->palette();
    look.setBrush(QPalette::Base, look.brush(QPalette::Disabled, QPalette::Base));
  }
  m_edit->setPalette(look);
}

StaticView::StaticView(Control& control, QWidget* parent)
    : ControlView(control, new QLabel(parent)), m_label(static_cast<QLabel*>(Widget())) {
  m_label->setTextFormat(Qt::PlainText);
  m_label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void StaticView::CentreOn(const QRect& field) {
  m_label->setGeometry(m_label->x(), field.y(), m_label->width(), field.height());
  m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

// The gap the template left, or half a character where it left more: a wide gap may shrink
// for a long text, but a label never runs into its field.
void StaticView::KeepGapTo(QWidget* field) {
  m_field = field;
  m_gap =
      std::min(field->x() - (m_label->x() + m_label->width()), m_label->fontMetrics().averageCharWidth() / 2);
}

void StaticView::SetBuddy(QWidget* buddy) {
  m_label->setBuddy(buddy);
  Push();
}

void StaticView::Push() {
  if (const char* const* xpm = m_control.Bitmap()) {
    const QPixmap picture = AtDeviceScale(QPixmap(xpm), m_label->devicePixelRatioF());
    m_label->setPixmap(picture);
    m_label->resize(picture.deviceIndependentSize().toSize());  // a bitmap static takes its picture's size
    return;
  }
  m_label->setText(m_label->buddy() ? TextWithAccessKey() : WithoutMnemonics(ToQString(m_control.Text())));
  // The substitute face is wider than the templates' own: a label grows to show its whole
  // text, as far as its field or its window's edge, rather than cut it off.
  const int end = m_field ? m_field->x() - m_gap : m_label->parentWidget()->width();
  const int room = end - m_label->x();
  const int wanted = std::min(m_label->sizeHint().width(), room);
  if (wanted > m_label->width()) m_label->resize(wanted, m_label->height());
}

ButtonView::ButtonView(Control& control, QWidget* parent, Notify notify)
    : ControlView(control, MakeButtonWidget(control, parent)) {
  auto* button = qobject_cast<QAbstractButton*>(Widget());
  if (!button) return;  // a group box sends nothing
  QObject::connect(button, &QAbstractButton::clicked, button,
                   [this, notify = std::move(notify)](bool checked) {
                     if (m_control.IsCheckBox()) {
                       m_control.SetCheck(checked ? BST_CHECKED : BST_UNCHECKED);
                       Shown();
                     }
                     notify(BN_CLICKED);
                   });
}

void ButtonView::Push() {
  const QString text = ToQString(m_control.Text());
  if (auto* group = qobject_cast<QGroupBox*>(Widget())) {
    group->setTitle(text);
    return;
  }
  auto* button = static_cast<QAbstractButton*>(Widget());
  button->setText(TextWithAccessKey());
  if (m_control.IsCheckBox()) button->setChecked(m_control.Check() == BST_CHECKED);
}

ComboView::ComboView(Control& control, QWidget* parent, Notify notify)
    : ControlView(control, new QComboBox(parent)),
      m_combo(static_cast<QComboBox*>(Widget())),
      m_shownContent(control.ContentRevision() - 1) {
  QObject::connect(m_combo, &QComboBox::activated, m_combo, [this, notify = std::move(notify)](int index) {
    m_control.SetSelection(index);
    Shown();
    notify(CBN_SELCHANGE);
  });
}

void ComboView::Push() {
  const QSignalBlocker blocker(m_combo);
  if (m_shownContent != m_control.ContentRevision()) {
    m_combo->clear();
    for (int row = 0; row < m_control.RowCount(); ++row) m_combo->addItem(ToQString(m_control.Cell(row, 0)));
    m_shownContent = m_control.ContentRevision();
  }
  m_combo->setCurrentIndex(m_control.Selection());
}
