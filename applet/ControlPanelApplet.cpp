#include "applet/ControlPanelApplet.h"

#include <algorithm>
#include <cstring>

#include "res/Resources.h"

namespace {

ControlPanelApplet* currentApplet = nullptr;

// Copies text with its terminator; a text longer than the field is cut to fit.
template <size_t N>
void CopyText(char (&field)[N], const char* text) {
  const size_t length = std::min(std::strlen(text), N - 1);
  std::memcpy(field, text, length);
  field[length] = '\0';
}

}  // namespace

ControlPanelApplet::ControlPanelApplet() { currentApplet = this; }

ControlPanelApplet::~ControlPanelApplet() {
  // CPlApplet must never reach a destroyed applet.
  if (currentApplet == this) currentApplet = nullptr;
}

ControlPanelApplet* ControlPanelApplet::Current() { return currentApplet; }

LONG ControlPanelApplet::OnDblClk(HWND, LPARAM, LPARAM) { return 0; }
LONG ControlPanelApplet::OnExit() { return 0; }
LONG ControlPanelApplet::OnGetCount() { return 1; }
LONG ControlPanelApplet::OnInit() { return 1; }
LONG ControlPanelApplet::OnSelect(LPARAM, LPARAM) { return 1; }
LONG ControlPanelApplet::OnStop(LPARAM, LPARAM) { return 1; }

LONG ControlPanelApplet::OnNewInquire(LPARAM, NEWCPLINFO* info) {
  FillNewCplInfo(*info, res::FindIconXpm(1), "Applet", "Raw Cpl Applet");
  return 0;
}

void ControlPanelApplet::FillNewCplInfo(NEWCPLINFO& info, HICON icon, const char* name,
                                        const char* description) {
  info.dwSize = sizeof(NEWCPLINFO);
  info.dwFlags = 0;
  info.dwHelpContext = 0;
  info.lData = 0;
  info.hIcon = icon;
  CopyText(info.szName, name);
  CopyText(info.szInfo, description);
  CopyText(info.szHelpFile, "");
}
