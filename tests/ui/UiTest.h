#pragma once
// The fixture of the page tests: the real dialog templates as the current module and a
// scripted backend driven by steps (every message box goes to them), over a fresh database on
// every engine, with rows put straight into it and a sheet that opens on the page under test,
// with an About page to switch to; stalePages is the mask the page marks:
//
//   steps.Window(OnPage([&](ScriptedWindow& w) { ... }));  // the sheet, closed with OK after
//   steps.Window(...);                                     // windows the page opens, in turn
//   RunSheet<CSitePage>();

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "db/ConfigDatabase.h"
#include "framework/Backend.h"
#include "framework/ModuleResources.h"
#include "framework/PropertySheet.h"
#include "tests/support/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tests/support/DatabaseTest.h"
#include "ui/FTPSheetPage.h"
#include "ui/FailureBoxes.h"

using Texts = std::vector<std::string>;
using Rows = std::vector<Texts>;

// The texts of one column of a list view, or of a combo box's entries.
inline Texts Column(const ScriptedWindow& w, int control, int column = 0) {
  Texts cells;
  for (int row = 0; row < w.Count(control); ++row) cells.push_back(w.Cell(control, row, column));
  return cells;
}

// A dialog's step: types each text into its control, then clicks each button in turn.
inline ScriptSteps::WindowAction Type(std::vector<std::pair<int, std::string>> texts,
                                      std::vector<int> buttons = {IDOK}) {
  return [texts = std::move(texts), buttons = std::move(buttons)](ScriptedWindow& d) {
    for (const auto& [id, text] : texts) d.SetText(id, text);
    for (const int id : buttons) d.Click(id);
  };
}

class UiTest : public DatabaseTest {
 protected:
  void TearDown() override {
    EXPECT_EQ(backend.Failure(), "");
    EXPECT_TRUE(steps.AllTaken());
    DatabaseTest::TearDown();
  }
  Texts MessageTexts() const {
    Texts texts;
    for (const auto& box : steps.Messages()) texts.push_back(box.text);
    return texts;
  }

  int Computer(const std::string& name, const std::string& currentSite = "") {
    Db().Execute("INSERT INTO VirtualServerGroup (Name, CurrentSite) VALUES (?, ?)", {name, currentSite});
    return std::stoi(Db().QueryValue("SELECT MAX(ID) FROM VirtualServerGroup"));
  }
  int VirtualServer(int computerId, const std::string& address) {
    Db().Execute("INSERT INTO VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID) VALUES (?, 'd', ?)",
                 {address, computerId});
    return std::stoi(Db().QueryValue("SELECT MAX(VServerID) FROM VirtualServers"));
  }
  void Preference(int serverId, const std::string& name, const std::string& value) {
    Db().Execute("INSERT INTO Preferences (Description, Settings, VirtualServerID) VALUES (?, ?, ?)",
                 {name, value, serverId});
  }
  void User(int serverId, const std::string& name, int permissions = 1, int quota = 0) {
    Db().Execute(
        "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
        "VALUES (?, 'digest', ?, ?, ?, 0, ?)",
        {name, "/srv/" + name, permissions, serverId, quota});
  }

  static ScriptSteps::WindowAction OnPage(const std::function<void(ScriptedWindow&)>& act) {
    return [act](ScriptedWindow& w) {
      act(w);
      if (!w.Ended()) w.CloseSheet(true);
    };
  }
  template <class Page>
  void RunSheet() {
    session.LoadComputers();
    CPropertySheet sheet("Veltrane Properties");
    Page page(&session, stalePages);
    CPropertyPage about(IDD_ABOUT);
    sheet.AddPage(&page);
    sheet.AddPage(&about);
    sheet.DoModal();
  }

  ModuleResources resources{&res::DialogTemplates, &res::FindBitmapXpm, &res::ResourceNames};
  ModuleResourceScope module{resources};
  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
  FailureBoxes failureBoxes;
  ConfigDatabase session;
  StalePageMask stalePages;
};
