#include "ui/AddComputerDlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "db/ConfigDatabase.h"
#include "tests/support/DatabaseTest.h"
#include "tests/ui/ConfigRows.h"
#include "tests/ui/ScriptedUi.h"

namespace {

using ::testing::UnorderedElementsAre;
using Rows = std::vector<std::vector<std::string>>;

constexpr int kComputer = 7027, kDelete = 7012, kName = 7028, kSave = 7011, kClose = IDOK;

class AddComputerDlgTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (!IsSkipped()) rows.emplace(Db());
  }

  // Runs the dialog over the computers the database holds; returns m_bChanged.
  int Run() {
    db.LoadComputers();
    dlg.m_pDatabase = &db;
    dlg.DoModal();
    ui.ExpectScriptDone();
    return dlg.m_bChanged;
  }

  // Chooses the computer with that key as a user would, also where names are shared.
  void Choose(int computerId) {
    for (int i = 0; i < dlg.m_cbComputer.GetCount(); ++i)
      if (dlg.m_cbComputer.GetItemData(i) == static_cast<DWORD_PTR>(computerId)) dlg.m_cbComputer.SetCurSel(i);
    dlg.OnCommand(kComputer, CBN_SELCHANGE);
  }

  std::optional<ConfigRows> rows;
  ConfigDatabase db;
  CAddComputerDlg dlg;
  ScriptedUi ui;
};
VELTRANE_ON_ALL_ENGINES(AddComputerDlgTest);

TEST_P(AddComputerDlgTest, SaveAddsOrRenamesExactlyAsTypedAndRefusesWhatCannotBeStored) {
  rows->Computer("alpha", "10.0.0.1");
  const std::string quoted = "O'Hara's \"box\"";
  std::string longest;  // 255 characters of two bytes each fit, on either engine
  for (int i = 0; i < 255; ++i) longest += "\xC3\xA9";
  ui.steps
      .Window([&](ScriptedWindow& w) {
        w.SetText(kName, longest + "x");
        w.Click(kSave);
        EXPECT_EQ(dlg.m_bChanged, 0);
        EXPECT_EQ(w.FocusId(), kName);
        w.SetText(kName, longest);
        w.Click(kSave);
        EXPECT_EQ(w.Text(kComputer), "<New>");
        EXPECT_EQ(w.Text(kName), "");
        w.SetText(kName, "alpha");
        w.Click(kSave);
        w.Select(kComputer, "alpha");
        EXPECT_EQ(w.Text(kName), "alpha");
        w.SetText(kName, quoted);
        w.Click(kSave);
        EXPECT_THAT(Entries(w, kComputer), UnorderedElementsAre("<New>", quoted, longest));
        w.Click(kClose);
      })
      .Message(IDOK)
      .Message(IDOK);

  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(ui.steps.Messages()[0].caption, "Invalid Value");
  EXPECT_EQ(ui.MessageTexts()[1], "Computer alpha already exists!!. Can not add it.");
  EXPECT_EQ(Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup ORDER BY ID"),
            (Rows{{quoted, "10.0.0.1"}, {longest, ""}}));
}

TEST_P(AddComputerDlgTest, DeleteRemovesOnlyWhatIsConfiguredUnderThatComputerEvenWhenNamesAreShared) {
  const int alpha = rows->Computer("alpha"), beta = rows->Computer("beta"), other = rows->Computer("other");
  for (const int computer : {alpha, beta, other})
    for (const char* address : {".1", ".2"}) {
      const int server = rows->VirtualServer(computer, std::to_string(computer) + address);
      rows->Preference(server, "FTP Port", "21");
      rows->Preference(server, "Anonymous", "1");
      rows->User(server, "u" + std::to_string(server));
    }
  // Rows left of a computer: its own, its virtual servers', their preferences', their users'.
  const auto left = [&](int computer) {
    const std::string id = std::to_string(computer);
    const std::string servers = "VirtualServerID IN (SELECT VServerID FROM VirtualServers WHERE VServerGroupID = " + id + ")";
    return std::vector<int>{rows->Count("VirtualServerGroup", "ID = " + id),
                            rows->Count("VirtualServers", "VServerGroupID = " + id),
                            rows->Count("Preferences", servers), rows->Count("Users", servers)};
  };
  const std::vector<int> all{1, 2, 4, 2}, none{0, 0, 0, 0};
  ui.steps
      .Window([&](ScriptedWindow& w) {
        // A rename gives beta alpha's name: a query by name would reach alpha's rows.
        w.Select(kComputer, "beta");
        w.SetText(kName, "alpha");
        w.Click(kSave);
        Choose(beta);
        w.Click(kDelete);  // No
        EXPECT_EQ(left(beta), all);
        w.Click(kDelete);  // Yes
        EXPECT_EQ(left(beta), none);
        EXPECT_EQ(left(alpha), all);
        EXPECT_THAT(Entries(w, kComputer), UnorderedElementsAre("<New>", "alpha", "other"));
        Choose(alpha);
        w.Click(kDelete);  // Yes
        w.Click(kClose);
      })
      .Message(IDNO)
      .Message(IDYES)
      .Message(IDYES);

  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(left(alpha), none);
  EXPECT_EQ(left(other), all);
  const auto& question = ui.steps.Messages()[0];
  EXPECT_EQ(question.text,
            "This will remove all virtual servers configured under this computer. Subsequently, it would delete "
            "users and preferences configured for these virtual servers.\n\n Do you really want to continue ?");
  EXPECT_EQ(question.caption, "Warning");
  EXPECT_EQ(question.style, MB_YESNO | MB_ICONEXCLAMATION);
}

}  // namespace
