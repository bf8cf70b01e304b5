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
using Names = std::vector<std::string>;

constexpr int kComputer = 7027, kDelete = 7012, kName = 7028, kSave = 7011, kClose = IDOK;

class AddComputerDlgTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    rows.emplace(Db());
  }
  void TearDown() override {
    ui.ExpectScriptDone();
    DatabaseTest::TearDown();
  }

  // Runs the dialog on the computers as the database holds them, answering the message boxes
  // that the actions bring up with `answers`; returns m_bChanged.
  int Run(const ScriptSteps::WindowAction& act, std::initializer_list<int> answers = {}) {
    db.LoadComputers();
    dlg.m_pDatabase = &db;
    ui.steps.Window(act);
    for (int answer : answers) ui.steps.Message(answer);
    dlg.DoModal();
    return dlg.m_bChanged;
  }

  // Chooses the computer with that key as the user would, also where names are shared.
  void Choose(int computerId) {
    for (int i = 0; i < dlg.m_cbComputer.GetCount(); ++i)
      if (dlg.m_cbComputer.GetItemData(i) == static_cast<DWORD_PTR>(computerId)) dlg.m_cbComputer.SetCurSel(i);
    dlg.OnCommand(kComputer, CBN_SELCHANGE);
  }

  Rows Computers() { return Db().Query("SELECT Name, CurrentSite FROM VirtualServerGroup ORDER BY ID"); }

  std::optional<ConfigRows> rows;
  ConfigDatabase db;
  CAddComputerDlg dlg;
  ScriptedUi ui;
};
VELTRANE_ON_ALL_ENGINES(AddComputerDlgTest);

TEST_P(AddComputerDlgTest, ChoosingAComputerShowsItsNameAndClosingUntouchedChangesNothing) {
  rows->Computer("alpha");
  rows->Computer("beta");
  const int changed = Run([](ScriptedWindow& w) {
    EXPECT_EQ(Entries(w, kComputer), (Names{"<New>", "alpha", "beta"}));
    EXPECT_EQ(w.Text(kComputer), "<New>");
    EXPECT_EQ(w.Text(kName), "");
    EXPECT_FALSE(w.Enabled(kDelete));
    w.Select(kComputer, "beta");
    EXPECT_EQ(w.Text(kName), "beta");
    EXPECT_TRUE(w.Enabled(kDelete));
    w.Select(kComputer, "<New>");
    EXPECT_EQ(w.Text(kName), "");
    EXPECT_FALSE(w.Enabled(kDelete));
    w.Click(kClose);
  });
  EXPECT_EQ(changed, 0);
}

TEST_P(AddComputerDlgTest, SaveAddsANameExactlyAsTypedAndRefusesOneInUse) {
  rows->Computer("alpha");
  const std::string quoted = "O'Hara's \"box\" \xC3\xA9t\xC3\xA9";
  const int changed = Run(
      [&](ScriptedWindow& w) {
        w.SetText(kName, quoted);
        w.Click(kSave);
        EXPECT_EQ(Entries(w, kComputer), (Names{"<New>", "alpha", quoted}));
        EXPECT_EQ(w.Text(kComputer), "<New>");
        EXPECT_EQ(w.Text(kName), "");
        w.SetText(kName, "alpha");
        w.Click(kSave);
        w.Click(kClose);
      },
      {IDOK});

  EXPECT_EQ(changed, 1);
  EXPECT_EQ(ui.MessageTexts(), Names{"Computer alpha already exists!!. Can not add it."});
  EXPECT_EQ(Computers(), (Rows{{"alpha", ""}, {quoted, ""}}));
  EXPECT_EQ(db.computers.size(), 2u);
}

TEST_P(AddComputerDlgTest, SaveOverAComputerRenamesItAndKeepsItsCurrentSite) {
  rows->Computer("alpha", "10.0.0.1");
  rows->Computer("beta", "10.0.0.2");
  const int changed = Run([](ScriptedWindow& w) {
    w.Select(kComputer, "alpha");
    w.SetText(kName, "gamma");
    w.Click(kSave);
    // An updated row may come back last: the list keeps the database's order.
    EXPECT_THAT(Entries(w, kComputer), UnorderedElementsAre("<New>", "gamma", "beta"));
    EXPECT_EQ(w.Text(kComputer), "<New>");
    w.Click(kClose);
  });

  EXPECT_EQ(changed, 1);
  EXPECT_EQ(Computers(), (Rows{{"gamma", "10.0.0.1"}, {"beta", "10.0.0.2"}}));  // by ID
}

TEST_P(AddComputerDlgTest, ANameLongerThanItsColumnIsRefusedBeforeAnythingIsWritten) {
  rows->Computer("alpha");
  // 255 characters of two bytes each fit; one more does not, on either engine.
  std::string longest;
  for (int i = 0; i < 255; ++i) longest += "\xC3\xA9";
  const int changed = Run(
      [&](ScriptedWindow& w) {
        w.SetText(kName, longest + "x");
        w.Click(kSave);
        EXPECT_EQ(w.Text(kName), longest + "x");
        EXPECT_EQ(w.FocusId(), kName);
        w.Select(kComputer, "alpha");
        w.SetText(kName, std::string(256, 'a'));
        w.Click(kSave);
        EXPECT_EQ(dlg.m_bChanged, 0);
        w.Select(kComputer, "<New>");
        w.SetText(kName, longest);
        w.Click(kSave);
        w.Click(kClose);
      },
      {IDOK, IDOK});

  EXPECT_EQ(changed, 1);
  ASSERT_EQ(ui.steps.Messages().size(), 2u);
  for (const auto& box : ui.steps.Messages()) {
    EXPECT_EQ(box.caption, "Invalid Value");
    EXPECT_EQ(box.owner, &dlg);
  }
  EXPECT_EQ(Computers(), (Rows{{"alpha", ""}, {longest, ""}}));
  db.LoadComputers();
  EXPECT_EQ(db.computers.back().Name, longest);
}

TEST_P(AddComputerDlgTest, DeleteRemovesOnlyWhatIsConfiguredUnderThatComputerEvenWhenNamesAreShared) {
  const int alpha = rows->Computer("alpha");
  const int beta = rows->Computer("beta");
  const int other = rows->Computer("other");
  for (const int computer : {alpha, beta, other}) {
    for (const char* address : {".1", ".2"}) {
      const int server = rows->VirtualServer(computer, std::to_string(computer) + address);
      rows->Preference(server, "FTP Port", "21");
      rows->Preference(server, "Anonymous", "1");
      rows->User(server, "u" + std::to_string(server));
    }
  }
  const auto remaining = [&](int computer) {
    const std::string servers = "VirtualServerID IN (SELECT VServerID FROM VirtualServers WHERE VServerGroupID = " +
                                std::to_string(computer) + ")";
    return std::vector<int>{rows->Count("VirtualServerGroup", "ID = " + std::to_string(computer)),
                            rows->Count("VirtualServers", "VServerGroupID = " + std::to_string(computer)),
                            rows->Count("Preferences", servers), rows->Count("Users", servers)};
  };

  const int changed = Run(
      [&](ScriptedWindow& w) {
        // A rename gives beta alpha's name; the by-name query would reach alpha's rows->
        w.Select(kComputer, "beta");
        w.SetText(kName, "alpha");
        w.Click(kSave);
        ASSERT_THAT(Entries(w, kComputer), UnorderedElementsAre("<New>", "alpha", "alpha", "other"));
        Choose(beta);
        w.Click(kDelete);  // No
        EXPECT_EQ(remaining(beta), (std::vector<int>{1, 2, 4, 2}));
        w.Click(kDelete);  // Yes
        EXPECT_EQ(remaining(beta), (std::vector<int>{0, 0, 0, 0}));
        EXPECT_EQ(remaining(alpha), (std::vector<int>{1, 2, 4, 2}));
        EXPECT_THAT(Entries(w, kComputer), UnorderedElementsAre("<New>", "alpha", "other"));
        Choose(alpha);
        w.Click(kDelete);  // Yes
        w.Click(kClose);
      },
      {IDNO, IDYES, IDYES});

  EXPECT_EQ(changed, 1);
  EXPECT_EQ(remaining(alpha), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(remaining(other), (std::vector<int>{1, 2, 4, 2}));
  ASSERT_EQ(ui.steps.Messages().size(), 3u);
  const auto& question = ui.steps.Messages()[0];
  EXPECT_EQ(question.text,
            "This will remove all virtual servers configured under this computer. Subsequently, it would delete "
            "users and preferences configured for these virtual servers.\n\n Do you really want to continue ?");
  EXPECT_EQ(question.caption, "Warning");
  EXPECT_EQ(question.style, MB_YESNO | MB_ICONEXCLAMATION);
}

TEST_P(AddComputerDlgTest, AnsweringNoToTheDeleteQuestionChangesNothing) {
  rows->VirtualServer(rows->Computer("alpha"), "10.0.0.1");
  const int changed = Run(
      [](ScriptedWindow& w) {
        w.Select(kComputer, "alpha");
        w.Click(kDelete);
        EXPECT_EQ(w.Text(kComputer), "alpha");
        w.Click(kClose);
      },
      {IDNO});

  EXPECT_EQ(changed, 0);
  EXPECT_EQ(rows->Count("VirtualServerGroup"), 1);
  EXPECT_EQ(rows->Count("VirtualServers"), 1);
}

}  // namespace
