#pragma once
// Replays a UI script (see ScriptParser.h) as the scripted backend's driver. Each window,
// message box or folder chooser that appears must be the one the next command expects;
// the commands after an expect-dialog or expect-sheet act on that window until it closes.
// The first thing that differs stops the run with one line, "SCRIPT:LINE: what happened",
// and the player hands out no further commands. IDs written as names are looked up when the
// first window opens, in the module current then.

#include <functional>
#include <string>
#include <vector>

#include "framework/scripted/ScriptDriver.h"
#include "framework/scripted/ScriptParser.h"

class ScriptPlayer : public ScriptDriver {
 public:
  // Throws ScriptError for a malformed script.
  ScriptPlayer(std::string scriptName, const std::string& text);
  // Throws ScriptError when the file cannot be read or is malformed.
  static ScriptPlayer FromFile(const std::string& path);

  void RunWindow(ScriptedWindow& window) override;
  int AnswerMessageBox(const MessageBoxRequest& box) override;
  std::optional<std::string> AnswerBrowse(const BrowseRequest& request) override;

  // Once the program is done: throws ScriptError when commands were left over.
  void Finish();

  // Asked before each command is handed out: a non-empty answer (e.g. "stopped by SIGTERM")
  // stops the replay there as a failure, and the backend winds the program down.
  void SetInterruption(std::function<std::string()> interruption) {
    m_interruption = std::move(interruption);
  }

 private:
  void LookUpNames();
  const ScriptCommand& Next(const std::string& appeared);
  void Perform(ScriptedWindow& window, const ScriptCommand& command);
  void Expect(ScriptedWindow& window, const ScriptCommand& command);
  void Act(ScriptedWindow& window, const ScriptCommand& command);
  [[noreturn]] void Fail(const ScriptCommand* at, const std::string& what);

  std::string m_name;
  std::vector<ScriptCommand> m_commands;
  size_t m_next = 0;
  std::string m_failure;
  std::function<std::string()> m_interruption;
};
