#pragma once
// The library's application object. Its one static instance holds the applet, so loading
// the library constructs and registers the applet, and unloading destroys it.

#include "applet/ConfigApplet.h"

class CConfigApp {
 public:
  ConfigApplet applet;
};

extern CConfigApp theApp;
