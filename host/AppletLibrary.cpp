#include "host/AppletLibrary.h"

#include <dlfcn.h>

#include <cstring>
#include <filesystem>

namespace {

// A field's text up to its terminator, never past the field, whatever the applet wrote.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
  return std::string(field, strnlen(field, N));
}

}  // namespace

AppletLibrary::~AppletLibrary() { Unload(); }

std::string AppletLibrary::DefaultPath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return (program.parent_path() / VELTRANE_APPLET_BESIDE_HOST).lexically_normal().string();
}

bool AppletLibrary::Load(const std::string& path) {
  Unload();
  // A bare file name would send dlopen searching the system's folders; it means this folder.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  m_handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!m_handle) {
    m_lastError = "cannot load " + path + ": " + dlerror();
    return false;
  }
  m_entry = reinterpret_cast<APPLET_PROC>(dlsym(m_handle, "CPlApplet"));
  if (!m_entry) {
    m_lastError = path + " is not a Control Panel applet library: it has no CPlApplet entry point";
    Unload();
    return false;
  }
  return true;
}

LONG AppletLibrary::Send(HWND hwndCPl, UINT msg, LPARAM lParam1, LPARAM lParam2) const {
  return m_entry(hwndCPl, msg, lParam1, lParam2);
}

bool AppletLibrary::Inquire(int index, Description& description) const {
  NEWCPLINFO info;
  std::memset(&info, 0, sizeof info);
  if (Send(nullptr, CPL_NEWINQUIRE, index, reinterpret_cast<LPARAM>(&info)) != 0) return false;
  description = {FieldText(info.szName), FieldText(info.szInfo), info.hIcon, info.lData};
  return true;
}

void AppletLibrary::Unload() {
  if (m_handle) dlclose(m_handle);
  m_handle = nullptr;
  m_entry = nullptr;
}
