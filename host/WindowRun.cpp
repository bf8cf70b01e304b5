#include "host/WindowRun.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "framework/Backend.h"
#include "framework/qt/QtBackend.h"
#include "host/ControlPanel.h"
#include "host/ControlPanelWindow.h"

namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

// Qt aborts when it cannot reach a display, so look first: a chosen platform plugin, or an
// X11 or Wayland display.
bool DisplayAvailable() { return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

}  // namespace

int RunWithWindows(int argc, char** argv, const std::string& libraryPath, bool openAtOnce) {
  if (!DisplayAvailable()) {
    std::fputs(
        "veltrane-control: no display to show windows on (DISPLAY is not set); run it on a virtual one with "
        "`xvfb-run -a bash scripts/run.sh`, or serve it over VNC with `QT_QPA_PLATFORM=vnc bash scripts/run.sh`\n",
        stderr);
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName("Control Panel");
  // The backend is current before the library loads and until it has unloaded.
  QtBackend backend;
  BackendScope use(backend);
  ControlPanel panel;
  if (!panel.Open(libraryPath)) {
    std::fprintf(stderr, "veltrane-control: %s\n", panel.LastError().c_str());
    return 1;
  }
  if (openAtOnce) {
    if (panel.Applets().empty()) {
      std::fprintf(stderr, "veltrane-control: %s holds no applet\n", libraryPath.c_str());
      return 1;
    }
    panel.DoubleClick(panel.Applets().front());
    return 0;
  }
  ControlPanelWindow window(panel);
  window.show();
  return QApplication::exec();
}
