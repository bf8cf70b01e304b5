#pragma once
// The library's application object. Its one static instance holds the applet, so loading
// the library constructs and registers the applet with its session, and unloading destroys
// them, closing the session. It bears the applet's name, the caption of the framework's boxes.

#include "applet/ConfigApplet.h"
#include "framework/WinApp.h"

class CConfigApp : public CWinApp {
 public:
  CConfigApp() : CWinApp(ConfigApplet::kName) {}

  ConfigApplet applet;
};

extern CConfigApp theApp;
