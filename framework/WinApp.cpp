#include "framework/WinApp.h"

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
