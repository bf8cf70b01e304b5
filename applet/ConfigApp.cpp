#include "applet/ConfigApp.h"

CConfigApp theApp;
