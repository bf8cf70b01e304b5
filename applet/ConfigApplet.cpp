#include "applet/ConfigApplet.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>

#include "applet/LogInDlg.h"
#include "db/SessionSettings.h"
#include "framework/MessageBox.h"
#include "framework/ModuleResources.h"
#include "platform/GroupAccess.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "service/ServiceBackendSelection.h"
#include "ui/FTPSheet.h"
#include "ui/FailureBoxes.h"

namespace {

// Failed log-ins after which a further failure ends the launch: four showings in all.
constexpr int kFailuresBeforeGivingUp = 3;

// This library's templates, bitmaps and id names, for the windows it opens and UI scripts.
const ModuleResources kAppletModule{&res::DialogTemplates, &res::FindBitmapXpm, &res::ResourceNames};

// Shows the Log In dialog until the session connects; false on Cancel, or when the dialog
// cannot be shown (the framework has said why), or after the last failed attempt (said in a
// line on standard error). Each showing holds the previous attempt's password.
bool LogIn(ConfigDatabase& database) {
  CLogInDlg dialog;
  std::string userName = "admin";
  std::string password;
  for (int failures = 0;; ++failures) {
    dialog.m_userName = userName;
    dialog.m_password = password;
    if (dialog.DoModal() != IDOK) return false;
    userName = dialog.m_userName;
    password = dialog.m_password;
    if (database.Connect(0, userName, password)) return true;
    if (failures >= kFailuresBeforeGivingUp) {
      // The last showing ends the launch; the one line says why (a terminal shows it once given back).
      std::fprintf(stderr, "%s: the log-in failed %d times\n", program_invocation_short_name, failures + 1);
      return false;
    }
  }
}

// Outside the group that may configure, no log-in can work, nor as root with a connection
// string that root does not use: says so, on standard error too, instead of asking for a
// password. True when the configuration can be reached.
bool ConfigurationReachable() {
  std::string cause = MissingGroupCause(RegistryStoreFolder());
  if (cause.empty()) cause = RootRefusalOf(kConnectionStringValue);
  if (cause.empty()) return true;
  std::cerr << "veltrane: " << cause << '\n';
  cause[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(cause[0])));
  MessageBox(nullptr, cause + ".", "Error!!", MB_OK | MB_ICONINFORMATION);
  return false;
}

// Closes the session on every way out of its scope, releasing its lock; closing twice is harmless.
class SessionCloser {
 public:
  explicit SessionCloser(ConfigDatabase& database) : m_database(database) {}
  ~SessionCloser() { m_database.Close(); }
  SessionCloser(const SessionCloser&) = delete;
  SessionCloser& operator=(const SessionCloser&) = delete;

 private:
  ConfigDatabase& m_database;
};

// The sheet over the logged-in session. The session is closed while the pages still exist
// (their windows are gone), then the sheet goes.
void ShowSheet(ConfigDatabase& database) {
  CFTPSheet sheet("Veltrane Properties", nullptr, 0);
  const SessionCloser closer(database);
  sheet.AttachDatabase(&database);
  sheet.DoModal();
}

}  // namespace

LONG ConfigApplet::OnDblClk(HWND, LPARAM, LPARAM) {
  ModuleResourceScope module(kAppletModule);
  SelectConfiguredServiceBackend();  // what Start, Stop and the General page's status reach
  const FailureBoxes failureBoxes;   // outlives the closer below, which may report a lock left set
  // Every way out of the launch closes the session, an error on its way to CPlApplet too,
  // even one raised before ShowSheet's own closer exists.
  const SessionCloser closer(database);
  if (ConfigurationReachable() && LogIn(database)) ShowSheet(database);
  return 0;
}

LONG ConfigApplet::OnNewInquire(LPARAM, NEWCPLINFO* info) {
  FillNewCplInfo(*info, res::FindIconXpm(IDI_APPLET), kName, "Configuration Applet for Veltrane Server");
  return 0;
}
