#pragma once
// The configuration applet: the Control Panel lists it as "Veltrane Server"; opening it
// logs the administrator in and shows the configuration sheet over its database session.

#include "applet/ControlPanelApplet.h"
#include "db/ConfigDatabase.h"

class ConfigApplet : public ControlPanelApplet {
 public:
  // The name the Control Panel lists it under, and the application's name.
  static constexpr const char* kName = "Veltrane Server";

  // The launch sequence: chooses the service manager the sheet reaches, shows the Log In
  // dialog (at most four showings), then the sheet over the logged-in session, which is
  // closed when the sheet has closed. Always 0.
  LONG OnDblClk(HWND hwndCPl, LPARAM appletIndex, LPARAM appletData) override;
  LONG OnNewInquire(LPARAM appletIndex, NEWCPLINFO* info) override;

  ConfigDatabase database;  // closed when the applet is destroyed
};
