// The application object of a test program that shows the framework's own boxes: named as the
// applet names its own, so those boxes carry the caption users see.

#include "applet/ConfigApplet.h"
#include "framework/WinApp.h"

namespace {

CWinApp testApplication(ConfigApplet::kName);

}  // namespace
