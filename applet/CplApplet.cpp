#include "applet/ControlPanelApplet.h"
#include "framework/MessageBox.h"

namespace {

// There is one applet, so the applet index is never looked at.
LONG Forward(ControlPanelApplet& applet, HWND hwndCPl, UINT msg, LPARAM lParam1, LPARAM lParam2) {
  switch (msg) {
    case CPL_INIT:
      return applet.OnInit();
    case CPL_GETCOUNT:
      return applet.OnGetCount();
    case CPL_INQUIRE:
      return 0;
    case CPL_SELECT:
      return applet.OnSelect(lParam1, lParam2);
    case CPL_DBLCLK:
      return applet.OnDblClk(hwndCPl, lParam1, lParam2);
    case CPL_STOP:
      return applet.OnStop(lParam1, lParam2);
    case CPL_EXIT:
      return applet.OnExit();
    case CPL_NEWINQUIRE:
      // Without a record there is nothing to fill: answer as not processed.
      if (lParam2 == 0) return 1;
      return applet.OnNewInquire(lParam1, reinterpret_cast<NEWCPLINFO*>(lParam2));
    default:
      return 1;
  }
}

// The answer of a message whose operation failed: no applet to CPL_INIT and CPL_GETCOUNT, so
// the Control Panel lets go of the library; not processed (nonzero) to every other message.
LONG FailedAnswer(UINT msg) { return msg == CPL_INIT || msg == CPL_GETCOUNT ? 0 : 1; }

}  // namespace

// The library's one export: forwards each message to the current applet. Nothing crosses this
// C boundary: an error escaping the applet, of whatever type, is reported in a message box and
// the message answers as failed; the unwinding has closed the applet's session on its way.
extern "C" LONG CPlApplet(HWND hwndCPl, UINT msg, LPARAM lParam1, LPARAM lParam2) noexcept {
  ControlPanelApplet* applet = ControlPanelApplet::Current();
  if (!applet) return 0;  // CPL_INIT fails and the count is zero: the Control Panel lets go
  LONG answer = FailedAnswer(msg);
  try {
    RunReportingErrors([&] { answer = Forward(*applet, hwndCPl, msg, lParam1, lParam2); },
                       "The applet stopped after an unexpected error");
  } catch (...) {
    // The report itself failed (its box could not be shown); the answer still goes back.
  }
  return answer;
}
