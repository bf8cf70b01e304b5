#include "applet/ConfigApplet.h"

#include "res/Resources.h"

namespace {
constexpr int kAppletIconId = 12000;
}

LONG ConfigApplet::OnNewInquire(LPARAM, NEWCPLINFO* info) {
  FillNewCplInfo(*info, res::FindIconXpm(kAppletIconId), "Veltrane Server",
                 "Configuration Applet for Veltrane Server");
  return 0;
}
