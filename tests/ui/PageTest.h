#pragma once
// A page of the configuration sheet under test, on every engine: a sheet that opens on the
// page, with an About page to switch to, over a session of the test database.
//
//   steps.Window(OnPage([&](ScriptedWindow& w) { ... }));  // the sheet, closed with OK after
//   steps.Window(...);                                     // windows the page opens, in turn
//   RunSheet();

#include <functional>
#include <string>
#include <vector>

#include "db/ConfigDatabase.h"
#include "tests/support/DatabaseTest.h"
#include "tests/ui/ConfigRows.h"
#include "tests/ui/ScriptedUi.h"
#include "ui/FTPSheet.h"

template <class Page>
class PageTest : public DatabaseTest, protected ScriptedUi {
protected:
  void SetUp() final {
    DatabaseTest::SetUp();
    if (!IsSkipped()) AddRows(ConfigRows(Db()));
  }
  // The rows every case of the test starts from.
  virtual void AddRows(const ConfigRows& rows) = 0;
  void TearDown() override {
    ExpectScriptDone();
    DatabaseTest::TearDown();
  }

  static ScriptSteps::WindowAction OnPage(const std::function<void(ScriptedWindow&)>& act) {
    return [act](ScriptedWindow& w) {
      act(w);
      if (!w.Ended()) w.CloseSheet(true);
    };
  }

  void RunSheet() {
    session.LoadComputers();
    CFTPSheet sheet("Veltrane Properties");
    sheet.m_pDatabase = &session;
    Page page;
    CPropertyPage about(132);
    sheet.AddPage(&page);
    sheet.AddPage(&about);
    pSheet = &sheet;
    sheet.DoModal();
    pSheet = nullptr;
  }

  // The texts of one column of a list view.
  static std::vector<std::string> Column(const ScriptedWindow& w, int list, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < w.Count(list); ++row) cells.push_back(w.Cell(list, row, column));
    return cells;
  }
  // The row of a list view whose first column reads `text`.
  static int RowOf(const ScriptedWindow& w, int list, const std::string& text) {
    for (int row = 0; row < w.Count(list); ++row)
      if (w.Cell(list, row, 0) == text) return row;
    ADD_FAILURE() << text << " is not listed";
    return -1;
  }
  int Count(const std::string& table, const std::string& where = "1=1") {
    return std::stoi(Db().QueryValue("SELECT COUNT(*) FROM " + table + " WHERE " + where));
  }

  ConfigDatabase session;
  CFTPSheet* pSheet = nullptr;  // while RunSheet runs
};
