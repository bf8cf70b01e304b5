#include "host/WindowRun.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "framework/Backend.h"
#include "framework/qt/QtBackend.h"
#include "host/ControlPanel.h"
#include "host/ControlPanelWindow.h"
#include "host/QuitOnTermination.h"

namespace {

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value && *value;
}

// Qt aborts when it cannot reach a display, so look first: a chosen platform plugin, or an
// X11 or Wayland display.
bool DisplayAvailable() { return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY"); }

// The name the desktop knows the windows by: the desktop entry's file name, its
// StartupWMClass, both halves of WM_CLASS and the Wayland application id, so that a taskbar
// ties the windows to the launcher. X11 takes WM_CLASS's instance half from RESOURCE_NAME
// (or -name), else from the program's file name; a name the user chose is kept.
constexpr const char* kDesktopName = "veltrane-server";

void NameForTheDesktop() {
  if (!IsSet("RESOURCE_NAME")) setenv("RESOURCE_NAME", kDesktopName, 1);
}

// Also the names the dialog framework keeps window sizes and column widths under.
void NameTheApplication() {
  QApplication::setApplicationName(kDesktopName);
  QApplication::setOrganizationName("Orvindel");
  QGuiApplication::setDesktopFileName(kDesktopName);
}

// Every window carries the icon of the applet the program is there for: its own picture, and
// the desktop entry's icon drawn at each size installed beside the program (the build tree
// has the same layout), so that a taskbar or a high-density screen need not scale it up.
void UseTheAppletsIcon(const ControlPanel& panel) {
  for (const ControlPanel::Applet& applet : panel.Applets())
    if (applet.described && applet.description.icon) {
      QIcon icon(QPixmap(applet.description.icon));
      const QDir sizes(QCoreApplication::applicationDirPath() + "/../share/icons/hicolor");
      for (const QString& size : sizes.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (const QString file = sizes.filePath(size + "/apps/" + kDesktopName + ".png"); QFile::exists(file))
          icon.addFile(file);
      QApplication::setWindowIcon(icon);
      return;
    }
}

}  // namespace

int RunWithWindows(int argc, char** argv, const std::string& libraryPath, bool openAtOnce) {
  if (!DisplayAvailable()) {
    // From a terminal (an SSH session), the terminal form is the nearest way.
    const bool inTerminal = isatty(STDIN_FILENO) && isatty(STDOUT_FILENO);
    std::fprintf(
        stderr,
        "veltrane-control: no display to show windows on (DISPLAY is not set); %srun it on a virtual one "
        "with `xvfb-run -a veltrane-control`, or serve it over VNC with `QT_QPA_PLATFORM=vnc "
        "veltrane-control`\n",
        inTerminal ? "open it in this terminal with `veltrane-control --terminal`, " : "");
    return 1;
  }
  NameForTheDesktop();
  QApplication application(argc, argv);
  QuitOnTermination(application);
  NameTheApplication();
  // The backend is current before the library loads and until it has unloaded.
  QtBackend backend;
  BackendScope use(backend);
  ControlPanel panel;
  if (!panel.Open(libraryPath)) {
    std::fprintf(stderr, "veltrane-control: %s\n", panel.LastError().c_str());
    return 1;
  }
  UseTheAppletsIcon(panel);
  if (openAtOnce) {
    if (panel.Applets().empty()) {
      std::fprintf(stderr, "veltrane-control: %s holds no applet\n", libraryPath.c_str());
      return 1;
    }
    panel.DoubleClick(panel.Applets().front());
    return 0;
  }
  LauncherView window = MakeControlPanelWindow(panel);
  window.Show();
  return QApplication::exec();
}
