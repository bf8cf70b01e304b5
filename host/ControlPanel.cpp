#include "host/ControlPanel.h"

namespace {

// More applets than any Control Panel shows: a count beyond it is a faulty library.
constexpr LONG kMaxApplets = 1000;

}  // namespace

ControlPanel::~ControlPanel() { Close(); }

bool ControlPanel::Fail(const std::string& why) {
  m_lastError = why;
  Close();
  return false;
}

bool ControlPanel::Open(const std::string& path) {
  Close();
  if (!m_library.Load(path)) return Fail(m_library.LastError());
  if (m_library.Send(nullptr, CPL_INIT) == 0) return Fail(path + ": the applet library failed to initialise");
  m_initialised = true;
  const LONG count = m_library.Send(nullptr, CPL_GETCOUNT);
  if (count < 0 || count > kMaxApplets)
    return Fail(path + ": the library claims " + std::to_string(count) + " applets");
  for (LONG index = 0; index < count; ++index) {
    Applet applet;
    applet.index = index;
    applet.described = m_library.Inquire(index, applet.description);
    m_applets.push_back(applet);
  }
  return true;
}

LONG ControlPanel::DoubleClick(const Applet& applet, HWND window) const {
  return m_library.Send(window, CPL_DBLCLK, applet.index, applet.description.data);
}

void ControlPanel::Close() {
  if (m_initialised) {
    for (const Applet& applet : m_applets)
      m_library.Send(nullptr, CPL_STOP, applet.index, applet.description.data);
    m_library.Send(nullptr, CPL_EXIT);
  }
  m_initialised = false;
  m_applets.clear();
  m_library.Unload();
}
