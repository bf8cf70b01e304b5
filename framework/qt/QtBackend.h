#pragma once
// The backend with real windows, on Qt 6 Widgets. The program makes its QApplication first.
// Every user action runs the page or dialog logic through Deliver, after which every open
// window is brought up to date with its controls (only the controls whose revision moved).
// Lists that are filling take their rows from the event loop, a slice at a time, under a busy
// cursor, so the window answers while they grow.

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Backend.h"

class ModalView;
class QTimer;
class QWidget;

class QtBackend : public Backend {
 public:
  QtBackend();  // throws std::logic_error without a QApplication
  ~QtBackend() override;

  void RunModal(CWnd& window) override;
  void EndModal(CWnd& window) override;
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT style) override;
  std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags) override;
  bool FeedsListFills() const override { return true; }

  // Runs logic for one user action; a failure escaping it is reported, never passed to Qt.
  void Deliver(const std::function<void()>& action);

 private:
  void SyncAll();
  QWidget* TopWindow() const;  // the innermost open modal window, the parent of new ones
  // One turn of the event loop's filling: rows for a while, then the windows brought up to
  // date when the fill began since they last were, or a while ago.
  void FeedListFills();
  void FollowListFills();  // the fill timer and the busy cursor, after the windows were synced

  std::vector<ModalView*> m_open;
  std::unique_ptr<QTimer> m_fillTimer;
  std::chrono::steady_clock::duration m_lastSync{};  // how long the last sync took
  std::chrono::steady_clock::time_point m_lastSyncEnd{};
  bool m_syncAfterFeed = true;  // the logic ran since the last fill turn: a fill may have begun
  bool m_busy = false;
  bool m_feeding = false;  // a message box the rows' source shows runs the event loop inside
};
