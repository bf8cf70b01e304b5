#include "host/UiScriptRun.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "framework/Backend.h"
#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptPlayer.h"
#include "framework/scripted/ScriptedBackend.h"
#include "host/ControlPanel.h"
#include "platform/TerminationSignals.h"

namespace {

int Report(const std::string& line) {
  std::fprintf(stderr, "%s\n", line.c_str());
  return 1;
}

}  // namespace

int RunUiScript(const std::string& scriptPath, const std::string& libraryPath) {
  std::optional<ScriptPlayer> player;
  try {
    player.emplace(ScriptPlayer::FromFile(scriptPath));
  } catch (const ScriptError& error) {
    return Report(error.what());
  }
  // A termination signal stops the replay before its next command; the backend then winds the
  // applet down, closing its session.
  player->SetInterruption([] {
    return TerminationRequested() ? std::string("stopped by SIG") + sigabbrev_np(TerminationSignalNumber())
                                  : std::string();
  });
  // The backend is current before the library loads and until it has unloaded, so every
  // window and message of the applet, from load to unload, goes to the script.
  ScriptedBackend backend(*player);
  BackendScope use(backend);
  ControlPanel panel;
  if (!panel.Open(libraryPath)) return Report("veltrane-control: " + panel.LastError());
  if (panel.Applets().empty()) return Report("veltrane-control: " + libraryPath + " holds no applet");
  panel.DoubleClick(panel.Applets().front());
  panel.Close();
  if (!backend.Failure().empty()) return Report(backend.Failure());
  try {
    player->Finish();
  } catch (const ScriptError& error) {
    return Report(error.what());
  }
  return 0;
}
