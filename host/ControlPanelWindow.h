#pragma once
// The Control Panel's window: one entry per applet that describes itself, with its icon and
// name, and its description on the status line; a double-click or Enter on an entry opens the
// applet. The panel must outlive the window.

#include "framework/qt/LauncherView.h"
#include "host/ControlPanel.h"

LauncherView MakeControlPanelWindow(const ControlPanel& panel);
