#pragma once
// CWinApp: the application object. A library that shows windows constructs exactly one, as a
// static object; it does no work of its own beyond being reachable through AfxGetApp.

#include <string>

class CWinApp {
public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  std::string m_pszAppName;  // empty when constructed without a name
};

// The application object constructed last and still alive, or null.
CWinApp* AfxGetApp();
