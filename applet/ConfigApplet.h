#pragma once
// The configuration applet: the Control Panel lists it as "Veltrane Server".

#include "applet/ControlPanelApplet.h"

class ConfigApplet : public ControlPanelApplet {
 public:
  LONG OnNewInquire(LPARAM appletIndex, NEWCPLINFO* info) override;
};
