#pragma once
// The widgets of one dialog's or property page's window, placed from its template in dialog
// units of its font. Sync brings them up to date with the window's controls, applies a new
// focus request and starts or stops a QTimer per window timer.

#include <map>
#include <memory>
#include <vector>

#include <QWidget>

#include "framework/FrameworkTypes.h"
#include "framework/qt/ControlView.h"

class CWnd;
class QTimer;
class QtBackend;

class WindowView : public QWidget {
public:
  WindowView(CWnd& window, QtBackend& backend, QWidget* parent);
  ~WindowView() override;

  CWnd& Window() const { return m_window; }
  void Sync();

private:
  void Build();
  void LinkMnemonics();
  void SyncFocus();
  void SyncTimers();

  CWnd& m_window;
  QtBackend& m_backend;
  std::vector<std::unique_ptr<ControlView>> m_views;
  std::map<UINT_PTR, QTimer*> m_timers;
  unsigned m_focusSerial = 0;
};
