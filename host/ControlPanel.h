#pragma once
// The Control Panel's conversation with one applet library. Open loads it and sends CPL_INIT,
// CPL_GETCOUNT and CPL_NEWINQUIRE for each applet; DoubleClick sends CPL_DBLCLK; Close (or
// destruction) sends CPL_STOP for each applet and CPL_EXIT, then unloads the library.

#include <string>
#include <vector>

#include "host/AppletLibrary.h"

class ControlPanel {
 public:
  struct Applet {
    LONG index = 0;
    bool described = false;  // it answered CPL_NEWINQUIRE
    AppletLibrary::Description description;
  };

  ControlPanel() = default;
  ~ControlPanel();
  ControlPanel(const ControlPanel&) = delete;
  ControlPanel& operator=(const ControlPanel&) = delete;

  // False, with LastError saying why, when the library cannot be loaded, is no applet
  // library, fails to initialise or claims an impossible number of applets.
  bool Open(const std::string& path);
  const std::string& LastError() const { return m_lastError; }

  const std::vector<Applet>& Applets() const { return m_applets; }
  // Opens an applet (CPL_DBLCLK with its data); returns once the applet has finished.
  LONG DoubleClick(const Applet& applet, HWND window = nullptr) const;

  void Close();

 private:
  bool Fail(const std::string& why);

  AppletLibrary m_library;
  std::vector<Applet> m_applets;
  bool m_initialised = false;
  std::string m_lastError;
};
