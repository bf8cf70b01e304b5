#pragma once
// CWinApp: the application object. A library that shows windows constructs exactly one, as a
// static object; it does no work of its own beyond being reachable through AfxGetApp and
// naming the application, whose name is the caption of the framework's own message boxes.

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

// The application object's name; the program's file name when there is no application object
// or it has no name.
std::string AfxGetAppName();
