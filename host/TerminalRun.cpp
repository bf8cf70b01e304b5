#include "host/TerminalRun.h"

#include <cstdio>
#include <optional>

#include "framework/Backend.h"
#include "framework/terminal/TerminalBackend.h"
#include "framework/terminal/TerminalScreen.h"
#include "host/ControlPanel.h"
#include "platform/TerminationSignals.h"

namespace {

int Report(const std::string& line) {
  std::fprintf(stderr, "veltrane-control: %s\n", line.c_str());
  return 1;
}

// The applet's run; its failure, or an empty text when it went as the user chose.
std::string RunFirstApplet(TerminalBackend& backend, const std::string& libraryPath) {
  // The backend is current before the library loads and until it has unloaded.
  BackendScope use(backend);
  ControlPanel panel;
  if (!panel.Open(libraryPath)) return panel.LastError();
  if (panel.Applets().empty()) return libraryPath + " holds no applet";
  panel.DoubleClick(panel.Applets().front());
  panel.Close();
  return backend.Failure();
}

}  // namespace

int RunInTerminal(const std::string& libraryPath) {
  std::optional<TerminalScreen> screen;
  try {
    screen.emplace();
  } catch (const TerminalUnavailable& error) {
    return Report(std::string("cannot use the terminal: ") + error.what());
  }
  TerminalBackend backend(*screen);
  // A termination signal winds the applet down: every window closes as if cancelled.
  backend.SetWindDown(TerminationRequested, TerminationDescriptor());
  const std::string failure = RunFirstApplet(backend, libraryPath);
  screen.reset();  // the terminal is given back before anything is said on it
  return failure.empty() ? 0 : Report(failure);
}
