#pragma once
// An applet library as the Control Panel holds it: loaded with its CPlApplet found, spoken
// to with Control Panel messages, unloaded when this object goes.

#include <string>

#include "applet/Cpl.h"

class AppletLibrary {
 public:
  // What an applet says of itself in answer to CPL_NEWINQUIRE.
  struct Description {
    std::string name;
    std::string info;
    HICON icon = nullptr;
    LONG_PTR data = 0;
  };

  AppletLibrary() = default;
  ~AppletLibrary();
  AppletLibrary(const AppletLibrary&) = delete;
  AppletLibrary& operator=(const AppletLibrary&) = delete;

  // The library installed (or built) beside this program.
  static std::string DefaultPath();

  // Loads the library at path and finds its entry point; false, with LastError saying why,
  // when the file cannot be loaded or is no applet library.
  bool Load(const std::string& path);
  const std::string& LastError() const { return m_lastError; }

  LONG Send(HWND hwndCPl, UINT msg, LPARAM lParam1 = 0, LPARAM lParam2 = 0) const;

  // Asks applet index for its description; false when the applet does not answer.
  bool Inquire(int index, Description& description) const;

  void Unload();

 private:
  void* m_handle = nullptr;
  APPLET_PROC m_entry = nullptr;
  std::string m_lastError;
};
