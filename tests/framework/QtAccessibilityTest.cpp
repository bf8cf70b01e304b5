// What a screen reader hears of the real sheet's four pages, the Add User dialog and a
// message box, read over AT-SPI by tests/framework/atspi_tree.py while the windows are open.
// Run by run-on-accessibility-bus.sh; skipped with the reason when no accessibility bus starts.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTabWidget>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "framework/WindowState.h"
#include "res/ResourceIds.h"
#include "tests/framework/QtFixture.h"

namespace {

struct Accessible {
  std::string role;
  std::string name;
  std::string description;
  bool operator==(const Accessible& other) const = default;
};

// The roles of the controls a user works, each of which must be named.
const std::set<std::string> kControlRoles = {"text",      "password text", "combo box", "table",
                                             "check box", "push button",   "page tab"};

// The application's accessible objects, read while its event loop keeps answering; empty
// with `failure` set when the accessibility bus cannot be read.
std::vector<Accessible> ReadTree(std::string& failure) {
  QProcess reader;
  QEventLoop loop;  // answering the reader's questions
  QObject::connect(&reader, &QProcess::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(60000, &loop, &QEventLoop::quit);
  reader.start("/usr/bin/python3", {ATSPI_TREE, QCoreApplication::applicationName()});
  loop.exec();
  std::vector<Accessible> tree;
  if (reader.state() != QProcess::NotRunning || reader.exitCode() != 0) {
    failure = reader.readAllStandardError().trimmed().toStdString();
    if (failure.empty()) failure = "the AT-SPI reader did not finish";  // killed as `reader` ends
    return tree;
  }
  for (const QByteArray& line : reader.readAllStandardOutput().split('\n')) {
    const QJsonObject object = QJsonDocument::fromJson(line).object();
    if (object.isEmpty()) continue;
    tree.push_back({object["role"].toString().toStdString(), object["name"].toString().toStdString(),
                    object["description"].toString().toStdString()});
  }
  return tree;
}

using QtAccessibilityTest = QtRealTemplatesFixture;

// The sheet's four pages, with the Add User dialog over them and a message box over that.
TEST_F(QtAccessibilityTest, EveryControlIsNamedByItsLabelCaptionFrameOrColumnsAndAMessageBoxIsRead) {
  CPropertySheet sheet("Properties");
  CPropertyPage general(IDD_GENERAL), servers(IDD_VIRTUAL_SERVERS), users(IDD_USERS), about(IDD_ABOUT);
  for (CPropertyPage* page : {&general, &servers, &users, &about}) sheet.AddPage(page);
  sheet.m_psh.dwFlags = (sheet.m_psh.dwFlags & ~PSH_HASHELP) | PSH_NOAPPLYNOW;
  CDialog addUser(IDD_ADD_USER);
  const std::string text = "The passwords you typed do not match.";
  std::string failure;
  std::vector<Accessible> tree;
  RunModal(sheet, IDCANCEL, [&](QWidget* window) {
    auto* tabs = window->findChild<QTabWidget*>();
    for (int i = 3; i >= 0; --i) tabs->setCurrentIndex(i);  // every page made
    m_backend.Deliver([&users] {
      Control& list = *users.GetWindowState()->FindControl(IDC_USER_LIST);
      for (const char* heading : {"Permissions", "Quota", "Home Directory", "Name"})
        list.InsertColumn(0, {heading, 80});
    });
    RunModal(addUser, IDCANCEL, [&](QWidget*) {
      Later([&] {
        tree = ReadTree(failure);
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Enter);
      });
      AfxMessageBox(text, MB_OK | MB_ICONERROR);
    });
  });
  if (tree.empty()) GTEST_SKIP() << failure;
  for (const Accessible& node : tree)
    EXPECT_TRUE(!node.name.empty() || !kControlRoles.count(node.role))
        << "a " << node.role << " without a name";
  // One control for each way of naming (its label, the label of the field a "..." button
  // chooses for, its frame, its columns, its own text) and of describing (the window's caption,
  // its frame, a label that is not its name).
  const std::vector<Accessible> expected = {
      {"combo box", "Computer Name", "General"},
      {"text", "Max. connections/IP", "Connetion Settings"},
      {"table", "Virtual Servers", ""},
      {"table", "Name, Home Directory, Quota, Permissions",
       "Columns: Name, Home Directory, Quota, Permissions"},
      {"push button", "Change Password", "Users"},
      {"password text", "Confirm Password", "Add User"},
      {"text", "Disk Quota", "Add User"},
      {"push button", "Home directory…", "Add User"},
      {"check box", "Download", "Permissions"},
      {"check box", "Create Directory", "Add User"},
      {"alert", AfxGetAppName(), text},  // the box, read with its caption
  };
  for (const Accessible& node : expected)
    EXPECT_NE(std::find(tree.begin(), tree.end(), node), tree.end())
        << "not heard: " << node.role << " \"" << node.name << "\" described as \"" << node.description
        << "\"";
}

}  // namespace
