#include "framework/scripted/ScriptPlayer.h"

#include <fstream>
#include <sstream>

#include "framework/MessageBox.h"
#include "framework/ModuleResources.h"
#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptedWindow.h"

namespace {

std::string MessageBoxName(const std::string& caption, const std::string& text) {
  return "the message box " + QuoteForReport(caption) + " " + QuoteForReport(text);
}

int AnswerOf(const std::string& word) {
  if (word == "yes") return IDYES;
  if (word == "no") return IDNO;
  if (word == "cancel") return IDCANCEL;
  return IDOK;
}

bool IsExpectation(const std::string& name) { return name.rfind("expect-", 0) == 0; }

// The id a name stands for: the framework's OK and Cancel, else the current module's names.
std::optional<int> IdNamed(const std::string& name) {
  if (name == "IDOK") return IDOK;
  if (name == "IDCANCEL") return IDCANCEL;
  return CurrentModuleResources().FindId(name);
}

}  // namespace

ScriptPlayer::ScriptPlayer(std::string scriptName, const std::string& text)
    : m_name(std::move(scriptName)), m_commands(ParseScript(m_name, text)) {}

ScriptPlayer ScriptPlayer::FromFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  if (!file || !(text << file.rdbuf())) throw ScriptError(path + ": cannot read the script");
  return ScriptPlayer(path, text.str());
}

void ScriptPlayer::Fail(const ScriptCommand* at, const std::string& what) {
  if (m_failure.empty())
    m_failure = m_name + (at ? ":" + std::to_string(at->line) : std::string()) + ": " + what;
  throw ScriptError(m_failure);
}

// The next command, for something that `appeared`; a script that has run out fails.
const ScriptCommand& ScriptPlayer::Next(const std::string& appeared) {
  if (!m_failure.empty()) throw ScriptError(m_failure);
  if (const std::string why = m_interruption ? m_interruption() : std::string(); !why.empty())
    Fail(m_next < m_commands.size() ? &m_commands[m_next] : nullptr, why);
  if (m_next == m_commands.size()) Fail(nullptr, "the script ended, but " + appeared);
  return m_commands[m_next++];
}

// Gives every ID written as a name its value; an unknown name stops the run at its line.
void ScriptPlayer::LookUpNames() {
  for (ScriptCommand& command : m_commands) {
    if (!command.idByName) continue;
    const std::optional<int> id = IdNamed(command.args[0]);
    if (!id) Fail(&command, "unknown name " + QuoteForReport(command.args[0]));
    command.id = *id;
    command.idByName = false;
  }
}

void ScriptPlayer::RunWindow(ScriptedWindow& window) {
  LookUpNames();  // the module whose window this is is current now
  const ScriptCommand& opening = Next(window.Describe() + " opened");
  const bool expected = window.IsSheet()
                            ? opening.name == "expect-sheet" && opening.args[0] == window.Caption()
                            : opening.name == "expect-dialog" && opening.id == window.TemplateId();
  if (!expected) Fail(&opening, window.Describe() + " opened instead");
  while (!window.Ended()) Perform(window, Next(window.Describe() + " is still open"));
}

void ScriptPlayer::Perform(ScriptedWindow& window, const ScriptCommand& command) {
  if (command.name == "expect-dialog" || command.name == "expect-sheet" || command.name == "expect-message" ||
      command.name == "answer" || command.name == "browse")
    Fail(&command, "nothing appeared; " + window.Describe() + " is waiting for input");
  try {
    if (IsExpectation(command.name))
      Expect(window, command);
    else
      Act(window, command);
  } catch (const ScriptError& error) {
    if (!m_failure.empty()) throw;  // already placed, in a window this action opened
    Fail(&command, error.what());
  }
}

void ScriptPlayer::Act(ScriptedWindow& window, const ScriptCommand& c) {
  if (c.name == "set")
    window.SetText(c.id, c.args[1]);
  else if (c.name == "check")
    window.SetCheck(c.id, c.args[1] == "on");
  else if (c.name == "select")
    window.Select(c.id, c.args[1]);
  else if (c.name == "select-row")
    window.SelectRow(c.id, c.Number(1));
  else if (c.name == "filter")
    window.Filter(c.id, c.args[1]);
  else if (c.name == "click")
    window.Click(c.id);
  else if (c.name == "tab")
    window.ActivatePage(c.Number(0));
  else if (c.name == "timer")
    window.FireTimer(static_cast<UINT_PTR>(c.Number(0)));
  else if (c.name == "close-sheet")
    window.CloseSheet(c.args[0] == "ok");
}

void ScriptPlayer::Expect(ScriptedWindow& window, const ScriptCommand& c) {
  const int id = c.id;
  const std::string control = "control " + c.args[0];
  if (c.name == "expect-text") {
    if (const std::string text = window.Text(id); text != c.args[1])
      Fail(&c, control + " shows " + QuoteForReport(text));
  } else if (c.name == "expect-enabled") {
    if (window.Enabled(id) != (c.args[1] == "yes"))
      Fail(&c, control + (window.Enabled(id) ? " is enabled" : " is disabled"));
  } else if (c.name == "expect-checked") {
    if (window.Checked(id) != (c.args[1] == "on"))
      Fail(&c, control + (window.Checked(id) ? " is checked" : " is not checked"));
  } else if (c.name == "expect-count") {
    if (const int count = window.Count(id); count != c.Number(1))
      Fail(&c, control + " has " + std::to_string(count) + " entries");
  } else if (c.name == "expect-cell") {
    if (const std::string cell = window.Cell(id, c.Number(1), c.Number(2)); cell != c.args[3])
      Fail(&c, control + " row " + c.args[1] + " column " + c.args[2] + " shows " + QuoteForReport(cell));
  }
}

int ScriptPlayer::AnswerMessageBox(const MessageBoxRequest& box) {
  const std::string appeared = MessageBoxName(box.caption, box.text);
  const ScriptCommand& expect = Next(appeared + " appeared");
  if (expect.name != "expect-message" || expect.args[0] != box.caption || expect.args[1] != box.text)
    Fail(&expect, appeared + " appeared instead");
  const ScriptCommand& answer = Next(appeared + " waits for an answer");
  if (answer.name != "answer") Fail(&answer, "expected an answer to " + appeared);
  const int result = AnswerOf(answer.args[0]);
  for (int offered : MessageBoxResults(box.style))
    if (offered == result) return result;
  Fail(&answer, appeared + " has no " + answer.args[0] + " button");
}

std::optional<std::string> ScriptPlayer::AnswerBrowse(const BrowseRequest& request) {
  const std::string appeared = "the folder chooser " + QuoteForReport(request.title);
  const ScriptCommand& browse = Next(appeared + " appeared");
  if (browse.name != "browse") Fail(&browse, appeared + " appeared instead");
  if (browse.args.empty()) return std::nullopt;
  return browse.args[0];
}

void ScriptPlayer::Finish() {
  if (!m_failure.empty()) throw ScriptError(m_failure);
  if (m_next < m_commands.size()) Fail(&m_commands[m_next], "nothing is open for this command");
}
