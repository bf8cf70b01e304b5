#include "tests/support/ScriptSteps.h"

#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptedWindow.h"

ScriptSteps::Step ScriptSteps::Next(Kind kind, const std::string& appeared) {
  if (m_steps.empty()) throw ScriptError(appeared + " appeared after the last step");
  static const char* const kinds[] = {"a window", "a message box", "a folder chooser"};
  if (m_steps.front().kind != kind)
    throw ScriptError("the next step is for " + std::string(kinds[static_cast<int>(m_steps.front().kind)]) +
                      ", but " + appeared + " appeared");
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
