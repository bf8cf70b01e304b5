#pragma once
// A program's main window of the things it can open: an entry for each, with its icon and
// name, and the current entry's description on a status line below (the idle text when no
// entry is current). A double-click or Enter on an entry opens it. Made once the program's
// QApplication exists; the window goes with this object.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;

struct LauncherEntry {
  std::string name;
  std::string description;
  const char* const* icon = nullptr;  // XPM data, 32 by 32 pixels; none when null
};

class LauncherView {
 public:
  // Called with the entry's position in the list given and the window, as an opaque handle.
  using Open = std::function<void(size_t entry, void* window)>;

  LauncherView(const std::string& title, const std::vector<LauncherEntry>& entries,
               const std::string& idleStatus, Open open);
  ~LauncherView();
  LauncherView(const LauncherView&) = delete;
  LauncherView& operator=(const LauncherView&) = delete;

  void Show();

 private:
  std::unique_ptr<QWidget> m_window;
};
