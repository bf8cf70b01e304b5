#pragma once
// One control's widget. Sync pushes the control's state to the widget when its revision has
// moved; user input is written into the control first (and marked as shown, so it is not
// pushed back), then sent to the window as the notification the control would send.

#include <functional>
#include <memory>

#include <QPointer>
#include <QWidget>

#include "framework/FrameworkTypes.h"

class Control;

class ControlView {
 public:
  using Notify = std::function<void(UINT code)>;

  ControlView(Control& control, QWidget* widget);
  virtual ~ControlView();
  ControlView(const ControlView&) = delete;
  ControlView& operator=(const ControlView&) = delete;

  Control& GetControl() const { return m_control; }
  QWidget* Widget() const { return m_widget; }
  void Sync();
  // The access letter chosen for a text that marks none (its index among the characters
  // shown), or -1; shown at once.
  void SetAccessKey(int index);

 protected:
  virtual void Push() = 0;  // the kind's own state; enabled is done here
  void Shown();             // the widget already shows the control as it is now
  // The control's text for a widget that takes "&" as the mark of its access letter.
  QString TextWithAccessKey() const;

  Control& m_control;

 private:
  QPointer<QWidget> m_widget;
  unsigned m_shownRevision;
  int m_accessKey = -1;
};

// The view of a control of any kind, its widget a child of `parent`; `notify` sends a
// notification from it to its window.
std::unique_ptr<ControlView> MakeControlView(Control& control, QWidget* parent, ControlView::Notify notify);
