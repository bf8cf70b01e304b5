#pragma once
// The backend with real windows, on Qt 6 Widgets. The program makes its QApplication first.
// Every user action runs the page or dialog logic through Deliver, after which every open
// window is brought up to date with its controls (only the controls whose revision moved).

#include <functional>
#include <vector>

#include "framework/Backend.h"

class ModalView;
class QWidget;

class QtBackend : public Backend {
 public:
  QtBackend();  // throws std::logic_error without a QApplication

  void RunModal(CWnd& window) override;
  void EndModal(CWnd& window) override;
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT style) override;
  std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags) override;

  // Runs logic for one user action; a failure escaping it is reported, never passed to Qt.
  void Deliver(const std::function<void()>& action);

 private:
  void SyncAll();
  QWidget* TopWindow() const;  // the innermost open modal window, the parent of new ones

  std::vector<ModalView*> m_open;
};
