#pragma once
// The interface to what shows windows: real widgets or a script. Exactly one backend is
// current; the program chooses it before it opens any window. Page and dialog code never
// sees it: it calls DoModal, MessageBox, SetTimer and BrowseForFolder.

#include <optional>
#include <string>

#include "framework/FrameworkTypes.h"

class CWnd;

class Backend {
 public:
  virtual ~Backend() = default;
  // Runs the modal loop of a created dialog or sheet; returns once its window state is ended.
  virtual void RunModal(CWnd& window) = 0;
  // The window's modal loop has been ended (EndModalLoop); its result is in its state.
  virtual void EndModal(CWnd& window) = 0;
  virtual int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT style) = 0;
  // A folder chooser; nothing when the user cancels.
  virtual std::optional<std::string> BrowseForFolder(CWnd* owner, const std::string& title, UINT flags) = 0;
  // Whether it hands the rows of filling lists over between input events (framework/ListFill.h);
  // when not, a list's fill runs to its end as it begins.
  virtual bool FeedsListFills() const { return false; }
};

// The current backend, or null. Setting one also routes every message box through it.
Backend* CurrentBackend();
Backend* SetBackend(Backend* backend);  // returns the previous one
// The current backend, or null after telling the user that no window can be shown.
Backend* RequireBackend();

// Makes a backend current for the life of the scope.
class BackendScope {
 public:
  explicit BackendScope(Backend& backend) : m_previous(SetBackend(&backend)) {}
  ~BackendScope() { SetBackend(m_previous); }
  BackendScope(const BackendScope&) = delete;
  BackendScope& operator=(const BackendScope&) = delete;

 private:
  Backend* m_previous;
};
