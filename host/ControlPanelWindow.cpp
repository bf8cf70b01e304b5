#include "host/ControlPanelWindow.h"

#include <string>
#include <vector>

LauncherView MakeControlPanelWindow(const ControlPanel& panel) {
  std::vector<LauncherEntry> entries;
  std::vector<const ControlPanel::Applet*> appletOfEntry;
  for (const ControlPanel::Applet& applet : panel.Applets()) {
    if (!applet.described) continue;
    const AppletLibrary::Description& description = applet.description;
    entries.push_back({description.name, description.info, description.icon});
    appletOfEntry.push_back(&applet);
  }
  return LauncherView("Control Panel", entries, std::to_string(entries.size()) + " applets",
                      [&panel, appletOfEntry](size_t entry, void* window) {
                        panel.DoubleClick(*appletOfEntry.at(entry), static_cast<HWND>(window));
                      });
}
