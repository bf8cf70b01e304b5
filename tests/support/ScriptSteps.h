#pragma once
// A driver made of steps given in advance, for tests: one step for each window, message box
// or folder chooser in the order they will appear. A window step acts on its window and must
// end it; a message step gives the button to press. Anything that appears out of turn, or
// with no step left for it, is a ScriptError.
//
//   ScriptSteps steps;
//   steps.Window([](ScriptedWindow& w) { w.SetText(IDC_MAX_CONNECTIONS, "x"); w.Click(IDOK);
//   w.Click(IDCANCEL); })
//        .Message(IDOK);  // the refusal of "x", shown while the first window step runs

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/scripted/ScriptDriver.h"

class ScriptSteps : public ScriptDriver {
 public:
  using WindowAction = std::function<void(ScriptedWindow&)>;

  ScriptSteps& Window(WindowAction act) { return Add({Kind::Window, std::move(act)}); }
  ScriptSteps& Message(int answer) { return Add({Kind::Message, {}, answer}); }
  ScriptSteps& Browse(std::optional<std::string> folder) {
    return Add({Kind::Browse, {}, 0, std::move(folder)});
  }

  bool AllTaken() const { return m_steps.empty(); }
  // Every message box shown so far, in order.
  const std::vector<MessageBoxRequest>& Messages() const { return m_messages; }

  void RunWindow(ScriptedWindow& window) override;
  int AnswerMessageBox(const MessageBoxRequest& box) override;
  std::optional<std::string> AnswerBrowse(const BrowseRequest& request) override;

 private:
  enum class Kind { Window, Message, Browse };
  struct Step {
    Kind kind;
    WindowAction act;
    int answer = 0;
    std::optional<std::string> folder = std::nullopt;
  };
  ScriptSteps& Add(Step step) {
    m_steps.push_back(std::move(step));
    return *this;
  }
  Step Next(Kind kind, const std::string& appeared);

  std::deque<Step> m_steps;
  std::vector<MessageBoxRequest> m_messages;
};
