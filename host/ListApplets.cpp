#include "host/ListApplets.h"

#include <cstdio>

#include "host/ControlPanel.h"

int ListApplets(const std::string& libraryPath) {
  ControlPanel panel;
  if (!panel.Open(libraryPath)) {
    std::fprintf(stderr, "veltrane-control: %s\n", panel.LastError().c_str());
    return 1;
  }
  for (const ControlPanel::Applet& applet : panel.Applets()) {
    if (applet.described)
      std::printf("%s\t%s\n", applet.description.name.c_str(), applet.description.info.c_str());
    else
      std::fprintf(stderr, "veltrane-control: applet %d does not describe itself\n",
                   static_cast<int>(applet.index));
  }
  return 0;
}
