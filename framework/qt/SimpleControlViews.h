#pragma once
// Views of edit fields, static texts and bitmaps, buttons (push, check, group) and drop-down
// list combo boxes.

#include "framework/qt/ControlView.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRect;

class EditView : public ControlView {
 public:
  EditView(Control& control, QWidget* parent);

 protected:
  void Push() override;

 private:
  void ShowReadOnly(bool readOnly);

  QLineEdit* m_edit;
};

class StaticView : public ControlView {
 public:
  StaticView(Control& control, QWidget* parent);
  // The control a mnemonic ("&Name:") moves the focus to; without one, "&" is not shown.
  void SetBuddy(QWidget* buddy);
  // Spans the height of the field beside it, its text centred vertically on the field's.
  void CentreOn(const QRect& field);
  // Widened to show its text, it stops short of `field` (on its right), keeping a gap.
  void KeepGapTo(QWidget* field);

 protected:
  void Push() override;

 private:
  QLabel* m_label;
  QPointer<QWidget> m_field;  // what the label must not reach
  int m_gap = 0;
};

class ButtonView : public ControlView {
 public:
  ButtonView(Control& control, QWidget* parent, Notify notify);

 protected:
  void Push() override;
};

class ComboView : public ControlView {
 public:
  ComboView(Control& control, QWidget* parent, Notify notify);

 protected:
  void Push() override;

 private:
  QComboBox* m_combo;
  unsigned m_shownContent;
};
