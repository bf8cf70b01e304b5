#include "framework/WinApp.h"

#include <cerrno>

namespace {

CWinApp*& Current() {
  static CWinApp* current = nullptr;
  return current;
}

}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName ? appName : "") { Current() = this; }

CWinApp::~CWinApp() {
  if (Current() == this) Current() = nullptr;
}

CWinApp* AfxGetApp() { return Current(); }

std::string AfxGetAppName() {
  const CWinApp* app = Current();
  return app && !app->m_pszAppName.empty() ? app->m_pszAppName : program_invocation_short_name;
}
