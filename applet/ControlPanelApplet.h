#pragma once
// The applet base class: one virtual operation per Control Panel message, each with a
// default. Constructing an applet makes it the current applet, to which CPlApplet forwards
// every message; the last one constructed wins.

#include "applet/Cpl.h"

class ControlPanelApplet {
 public:
  ControlPanelApplet();
  virtual ~ControlPanelApplet();
  ControlPanelApplet(const ControlPanelApplet&) = delete;
  ControlPanelApplet& operator=(const ControlPanelApplet&) = delete;

  // The slot order is part of the applet's shape: keep it.
  virtual LONG OnDblClk(HWND hwndCPl, LPARAM appletIndex, LPARAM appletData);
  virtual LONG OnExit();
  virtual LONG OnGetCount();
  virtual LONG OnInit();
  virtual LONG OnNewInquire(LPARAM appletIndex, NEWCPLINFO* info);
  virtual LONG OnSelect(LPARAM appletIndex, LPARAM appletData);
  virtual LONG OnStop(LPARAM appletIndex, LPARAM appletData);

  // The applet CPlApplet talks to; null when none exists.
  static ControlPanelApplet* Current();

 protected:
  // Writes every field of info: the size, zero flags, help context and applet data, the
  // icon, and each text with its terminator, leaving the bytes after the terminator alone.
  static void FillNewCplInfo(NEWCPLINFO& info, HICON icon, const char* name, const char* description);
};
