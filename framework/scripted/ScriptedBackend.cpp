#include "framework/scripted/ScriptedBackend.h"

#include <algorithm>

#include "framework/MessageBox.h"
#include "framework/Wnd.h"
#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptParser.h"
#include "framework/scripted/ScriptedWindow.h"

namespace {

std::string ResultName(int result) {
  const std::string text = MessageBoxButtonText(result);
  return text.empty() ? std::to_string(result) : text;
}

}  // namespace

ScriptedBackend::ScriptedBackend(ScriptDriver& driver) : m_driver(driver) {}

template <class Action>
auto ScriptedBackend::Guarded(Action&& action) {
  try {
    return action();
  } catch (const ScriptError& error) {
    if (m_failure.empty()) m_failure = error.what();
    throw;
  }
}

void ScriptedBackend::RunModal(CWnd& window) {
  if (!m_failure.empty()) {
    window.EndModalLoop(IDCANCEL);
    return;
  }
  ScriptedWindow scripted(window);
  Guarded([&] {
    m_driver.RunWindow(scripted);
    if (!scripted.Ended()) throw ScriptError(scripted.Describe() + " was left open");
  });
}

void ScriptedBackend::EndModal(CWnd&) {}

int ScriptedBackend::MessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                                UINT style) {
  const std::vector<int> results = MessageBoxResults(style);
  if (!m_failure.empty()) return results.back();
  return Guarded([&] {
    const int answer = m_driver.AnswerMessageBox({owner, text, caption, style});
    if (std::find(results.begin(), results.end(), answer) == results.end())
      throw ScriptError("the message box " + QuoteForReport(caption) + " " + QuoteForReport(text) +
                        " has no " + ResultName(answer) + " button");
    return answer;
  });
}

std::optional<std::string> ScriptedBackend::BrowseForFolder(CWnd* owner, const std::string& title,
                                                            UINT flags) {
  if (!m_failure.empty()) return std::nullopt;
  return Guarded([&] { return m_driver.AnswerBrowse({owner, title, flags}); });
}
