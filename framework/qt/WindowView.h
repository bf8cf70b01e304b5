#pragma once
// The widgets of one dialog's or property page's window, placed from its template in dialog
// units of its font. It is never smaller than its template; made larger, its controls follow
// the template's growth rule (GrowthRule.h). Sync brings the widgets up to date with the
// window's controls and their access letters, applies a new focus request and starts or stops
// a QTimer per window timer.

#include <map>
#include <memory>
#include <vector>

#include <QWidget>

#include "framework/FrameworkTypes.h"
#include "framework/qt/ControlView.h"
#include "framework/qt/GrowthRule.h"

class CWnd;
class QTimer;
class QtBackend;

class WindowView : public QWidget {
 public:
  WindowView(CWnd& window, QtBackend& backend, QWidget* parent);
  ~WindowView() override;

  CWnd& Window() const { return m_window; }
  WindowGrowth Grows() const { return m_growth; }
  // The controls' widgets in template order, the order Tab follows.
  std::vector<QWidget*> Widgets() const;
  // The first control that takes input from the keyboard, if any.
  QWidget* FirstInput() const;
  void Sync();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Build();
  void PlaceControls();
  void LabelControls();
  void LinkMnemonics();
  void LearnGrowth();
  void SyncAccessKeys();
  void SyncFocus();
  void SyncTimers();
  QWidget* FocusTarget(int id) const;
  QWidget* FirstInputFrom(std::vector<std::unique_ptr<ControlView>>::const_iterator view) const;

  CWnd& m_window;
  QtBackend& m_backend;
  std::vector<std::unique_ptr<ControlView>> m_views;
  std::vector<Growth> m_controlGrowth;  // parallel to m_views
  WindowGrowth m_growth;
  QSize m_templateSize;                 // the size the template places the controls for
  std::vector<QRect> m_templatePlaces;  // parallel to m_views
  std::map<UINT_PTR, QTimer*> m_timers;
  unsigned m_focusSerial = 0;
};
