#include "applet/ControlPanelApplet.h"

// The library's one export: forwards each message to the current applet. There is one
// applet, so the applet index is never looked at.
extern "C" LONG CPlApplet(HWND hwndCPl, UINT msg, LPARAM lParam1, LPARAM lParam2) {
  ControlPanelApplet* applet = ControlPanelApplet::Current();
  if (!applet) return 0;  // CPL_INIT fails and the count is zero: the Control Panel lets go
  switch (msg) {
    case CPL_INIT:
      return applet->OnInit();
    case CPL_GETCOUNT:
      return applet->OnGetCount();
    case CPL_INQUIRE:
      return 0;
    case CPL_SELECT:
      return applet->OnSelect(lParam1, lParam2);
    case CPL_DBLCLK:
      return applet->OnDblClk(hwndCPl, lParam1, lParam2);
    case CPL_STOP:
      return applet->OnStop(lParam1, lParam2);
    case CPL_EXIT:
      return applet->OnExit();
    case CPL_NEWINQUIRE:
      // Without a record there is nothing to fill: answer as not processed.
      if (lParam2 == 0) return 1;
      return applet->OnNewInquire(lParam1, reinterpret_cast<NEWCPLINFO*>(lParam2));
    default:
      return 1;
  }
}
