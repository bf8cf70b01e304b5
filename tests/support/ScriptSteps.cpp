#include "tests/support/ScriptSteps.h"

#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptedWindow.h"

namespace {

const char* StepName(int kind) {
  static const char* const names[] = {"a window", "a message box", "a folder chooser"};
  return names[kind];
}

}  // namespace

ScriptSteps& ScriptSteps::Window(WindowAction act) {
  m_steps.push_back({Kind::Window, std::move(act), 0, std::nullopt});
  return *this;
}

ScriptSteps& ScriptSteps::Message(int answer) {
  m_steps.push_back({Kind::Message, {}, answer, std::nullopt});
  return *this;
}

ScriptSteps& ScriptSteps::Browse(std::optional<std::string> folder) {
  m_steps.push_back({Kind::Browse, {}, 0, std::move(folder)});
  return *this;
}

ScriptSteps::Step ScriptSteps::Next(Kind kind, const std::string& appeared) {
  if (m_steps.empty()) throw ScriptError(appeared + " appeared after the last step");
  if (m_steps.front().kind != kind)
    throw ScriptError("the next step is for " +
                      std::string(StepName(static_cast<int>(m_steps.front().kind))) + ", but " + appeared +
                      " appeared");
  Step step = std::move(m_steps.front());
  m_steps.pop_front();
  return step;
}

void ScriptSteps::RunWindow(ScriptedWindow& window) { Next(Kind::Window, window.Describe()).act(window); }

int ScriptSteps::AnswerMessageBox(const MessageBoxRequest& box) {
  m_messages.push_back(box);
  return Next(Kind::Message, "the message box \"" + box.caption + "\" \"" + box.text + "\"").answer;
}

std::optional<std::string> ScriptSteps::AnswerBrowse(const BrowseRequest& request) {
  return Next(Kind::Browse, "the folder chooser \"" + request.title + "\"").folder;
}
