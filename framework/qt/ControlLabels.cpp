#include "framework/qt/ControlLabels.h"

#include <QWidget>

#include "framework/Control.h"
#include "framework/qt/QtText.h"

namespace {

bool IsField(const Control& control) {
  return control.Kind() != res::ControlKind::Static && !control.IsButtonOfType(res::BS_GROUPBOX);
}

// A field whose name is a label's, not a caption of its own.
bool TakesLabel(const Control& control) {
  return control.Kind() == res::ControlKind::Edit || control.Kind() == res::ControlKind::ComboBox ||
         control.Kind() == res::ControlKind::ListView;
}

bool IsTextLabel(const Control& control) {
  return control.Kind() == res::ControlKind::Static && (control.Style() & res::SS_TYPEMASK) != res::SS_BITMAP;
}

// How far `field` is from `label` on the same line, or -1 when it is not beside it.
int DistanceBeside(const QRect& label, const QRect& field) {
  if (label.top() > field.bottom() || field.top() > label.bottom()) return -1;
  if (field.left() > label.right()) return field.left() - label.right();
  if (label.left() > field.right()) return label.left() - field.right();
  return -1;
}

// A label's text as a name: without its mnemonic and its closing colon.
QString NameOfText(const std::string& text) {
  QString name = WithoutMnemonics(ToQString(text)).trimmed();
  if (name.endsWith(u':')) name.chop(1);
  return name;
}

bool HasLetterOrDigit(const QString& text) {
  for (QChar c : text)
    if (c.isLetterOrNumber()) return true;
  return false;
}

class Namer {
 public:
  Namer(const ControlViews& views, const std::vector<int>& labelled, const QString& caption)
      : m_views(views), m_caption(caption), m_labelOf(views.size(), -1) {
    // The label left of a control names it before one right of it ("Disk Quota:" before "MB").
    for (size_t label = 0; label < labelled.size(); ++label) {
      if (labelled[label] < 0) continue;
      int& current = m_labelOf[labelled[label]];
      if (current < 0 || (Rect(label).left() < Rect(labelled[label]).left() &&
                          Rect(current).left() > Rect(labelled[label]).left()))
        current = static_cast<int>(label);
    }
  }

  void NameAll() const {
    for (size_t i = 0; i < m_views.size(); ++i) {
      QWidget* widget = m_views[i]->Widget();
      const QString name = Name(i);
      if (!name.isEmpty()) widget->setAccessibleName(name);
      const QString description = Description(i, name);
      if (!description.isEmpty() && description != name) widget->setAccessibleDescription(description);
    }
  }

 private:
  const Control& ControlAt(size_t i) const { return m_views[i]->GetControl(); }
  QRect Rect(size_t i) const { return m_views[i]->Widget()->geometry(); }

  QString LabelText(size_t i) const {
    return m_labelOf[i] < 0 ? QString() : NameOfText(ControlAt(m_labelOf[i]).Text());
  }

  QString Name(size_t i) const {
    const Control& control = ControlAt(i);
    if (control.Kind() == res::ControlKind::Static)
      return control.Bitmap() ? m_caption : QString();  // a text label reads its own text
    if (!TakesLabel(control)) {
      const QString text = NameOfText(control.Text());
      if (HasLetterOrDigit(text) || control.IsButtonOfType(res::BS_GROUPBOX))
        return QString();  // its own caption
      const int field = FieldLeftOf(i);
      return field < 0 ? text : NameOfField(field) + QStringLiteral("…");  // "..." beside a field: choose it
    }
    return NameOfField(i);
  }

  // Its label, or the one of the field above it in the same column, or its frame's title.
  QString NameOfField(size_t i) const {
    if (const QString label = LabelText(i); !label.isEmpty()) return label;
    for (size_t above = i; above-- > 0;)
      if (TakesLabel(ControlAt(above)) && Rect(above).left() == Rect(i).left() && m_labelOf[above] >= 0)
        return LabelText(above);
    return FrameTitle(i);
  }

  // A label not used as the name (the "Permissions" of a check box), else the frame's title,
  // else the window's caption.
  QString Description(size_t i, const QString& name) const {
    if (const QString label = LabelText(i); !label.isEmpty() && label != name) return label;
    if (const QString frame = FrameTitle(i); !frame.isEmpty()) return frame;
    return m_caption;
  }

  QString FrameTitle(size_t i) const {
    for (size_t frame = 0; frame < m_views.size(); ++frame)
      if (frame != i && ControlAt(frame).IsButtonOfType(res::BS_GROUPBOX) && Rect(frame).contains(Rect(i)))
        return NameOfText(ControlAt(frame).Text());
    return {};
  }

  int FieldLeftOf(size_t i) const {
    int nearest = -1;
    for (size_t field = 0; field < m_views.size(); ++field) {
      const int distance = DistanceBeside(Rect(i), Rect(field));
      if (!TakesLabel(ControlAt(field)) || distance < 0 || Rect(field).left() > Rect(i).left()) continue;
      if (nearest < 0 || distance < DistanceBeside(Rect(i), Rect(nearest))) nearest = static_cast<int>(field);
    }
    return nearest;
  }

  const ControlViews& m_views;
  QString m_caption;
  std::vector<int> m_labelOf;  // per view, the label naming it or -1
};

}  // namespace

// A label belongs to the nearest control right of it on its line, as a label reads before its
// field; only without one, to the nearest left of it (a unit after its field, "MB").
std::vector<int> ControlBesideEachLabel(const ControlViews& views) {
  std::vector<int> labelled(views.size(), -1);
  for (size_t label = 0; label < views.size(); ++label) {
    if (!IsTextLabel(views[label]->GetControl())) continue;
    const QRect labelRect = views[label]->Widget()->geometry();
    int best = 0;  // the best rank so far: lower is better
    for (size_t other = 0; other < views.size(); ++other) {
      const QRect field = views[other]->Widget()->geometry();
      const int distance = DistanceBeside(labelRect, field);
      if (!IsField(views[other]->GetControl()) || distance < 0) continue;
      const int rank = field.left() > labelRect.left() ? distance : distance + QWIDGETSIZE_MAX / 2;
      if (labelled[label] >= 0 && rank >= best) continue;
      labelled[label] = static_cast<int>(other);
      best = rank;
    }
  }
  return labelled;
}

void NameForAccessibility(const ControlViews& views, const std::vector<int>& labelled,
                          const QString& caption) {
  Namer(views, labelled, caption).NameAll();
}
