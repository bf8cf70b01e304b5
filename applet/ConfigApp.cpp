#include "applet/ConfigApp.h"

// Constructed when the library loads, after the framework library it depends on has been
// loaded and initialised. The session's connect string (db/ConnectString.h) is made on first
// use and never destroyed, so the session may still close through it while this object is
// destroyed at unload.
CConfigApp theApp;
