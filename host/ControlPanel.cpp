#include "host/ControlPanel.h"

namespace {

// More applets than any Control Panel shows: a count beyond it is a faulty library.
constexpr LONG kMaxApplets = 1000;

}  // namespace

ControlPanel::~ControlPanel() { Close(); }

bool ControlPanel::Fail(const std::string& why) {
  lastError_ = why;
  Close();
  return false;
}

bool ControlPanel::Open(const std::string& path) {
  Close();
  if (!library_.Load(path)) return Fail(library_.LastError());
  if (library_.Send(nullptr, CPL_INIT) == 0) return Fail(path + ": the applet library failed to initialise");
  initialised_ = true;
  const LONG count = library_.Send(nullptr, CPL_GETCOUNT);
  if (count < 0 || count > kMaxApplets)
    return Fail(path + ": the library claims " + std::to_string(count) + " applets");
  for (LONG index = 0; index < count; ++index) {
    Applet applet;
    applet.index = index;
    applet.described = library_.Inquire(index, applet.description);
    applets_.push_back(applet);
  }
  return true;
}

LONG ControlPanel::DoubleClick(const Applet& applet, HWND window) const {
  return library_.Send(window, CPL_DBLCLK, applet.index, applet.description.data);
}

void ControlPanel::Close() {
  if (initialised_) {
    for (const Applet& applet : applets_) library_.Send(nullptr, CPL_STOP, applet.index, applet.description.data);
    library_.Send(nullptr, CPL_EXIT);
  }
  initialised_ = false;
  applets_.clear();
  library_.Unload();
}
