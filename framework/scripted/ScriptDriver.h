#pragma once
// What drives the scripted backend: it is asked whenever a modal window opens, a message box
// or a folder chooser appears, and answers as a user would. Nested windows simply recurse: a
// click inside RunWindow that opens another dialog calls RunWindow again before it returns.

#include <optional>
#include <string>

#include "framework/FrameworkTypes.h"

class CWnd;
class ScriptedWindow;

struct MessageBoxRequest {
  CWnd* owner;
  std::string text;
  std::string caption;
  UINT style;
};

struct BrowseRequest {
  CWnd* owner;
  std::string title;
  UINT flags;
};

class ScriptDriver {
 public:
  virtual ~ScriptDriver() = default;
  // A dialog or sheet has opened: act on it until it has ended.
  virtual void RunWindow(ScriptedWindow& window) = 0;
  // The button pressed: one the box's style offers.
  virtual int AnswerMessageBox(const MessageBoxRequest& box) = 0;
  // The folder chosen, or nothing for Cancel.
  virtual std::optional<std::string> AnswerBrowse(const BrowseRequest& request) = 0;
};
