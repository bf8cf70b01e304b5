// The Users page through the scripted backend against real engines: which accounts each
// choice lists, adding, editing, deleting and new passwords, the stale contract, and a
// database of 100,000 accounts.

#include <chrono>
#include <string>
#include <vector>

#include "digest/Digest.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/ui/ConfigRows.h"
#include "tests/ui/PageTest.h"
#include "ui/UsersPage.h"

namespace {

constexpr int kComputer = 7008, kServer = 7030, kList = 2007;
constexpr int kAdd = 2004, kEdit = 2005, kDelete = 2006, kChangePassword = 1000;
constexpr int kName = 1028, kPassword = 1013, kConfirm = 1014, kQuota = 7010, kBrowse = 1019, kDownload = 1053;

std::string Digest(const std::string& text) {
  std::string digest;
  DigestText(text, digest);
  return digest;
}

class UsersPageTest : public PageTest<CUsersPage> {
protected:
  void SetUp() override {
    PageTest::SetUp();
    const ConfigRows rows(Db());
    alpha = rows.Computer("alpha");
    rows.Computer("beta");  // runs no virtual server
    gamma = rows.Computer("gamma");
    first = rows.VirtualServer(alpha, "10.0.0.1");
    second = rows.VirtualServer(alpha, "10.0.0.2");
    other = rows.VirtualServer(gamma, "10.0.0.9");
    AddUser("anna", first, 5, 0);
    AddUser("bob", first, 31, 12);
    AddUser("carl", second, 0, 3);
    AddUser("dora", other, 21, -4);
  }

  void AddUser(const std::string& name, int serverId, int permissions, int quota) {
    Db().Execute(
        "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
        "VALUES (?, ?, ?, ?, ?, 0, ?)",
        {name, Digest("pw-" + name), "/srv/" + name, permissions, serverId, quota});
  }
  static std::vector<std::string> Column(const ScriptedWindow& w, int column) {
    return PageTest::Column(w, kList, column);
  }
  static int RowOf(const ScriptedWindow& w, const std::string& name) { return PageTest::RowOf(w, kList, name); }
  std::string Stored(const std::string& column, const std::string& name) {
    return Db().QueryValue("SELECT " + column + " FROM Users WHERE UserName = ?", {name});
  }

  int alpha = 0, gamma = 0, first = 0, second = 0, other = 0;
};
VELTRANE_ON_ALL_ENGINES(UsersPageTest);

using Texts = std::vector<std::string>;

TEST_P(UsersPageTest, EachChoiceListsItsOwnAccounts) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    EXPECT_EQ(Entries(w, kComputer), (Texts{"(local)", "alpha", "beta", "gamma"}));
    EXPECT_EQ(Entries(w, kServer), (Texts{"(Default)"}));
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob", "carl", "dora"}));
    EXPECT_EQ(Column(w, 1), (Texts{"/srv/anna", "/srv/bob", "/srv/carl", "/srv/dora"}));
    EXPECT_EQ(Column(w, 2), (Texts{"0", "12", "3", "-4"}));
    EXPECT_EQ(Column(w, 3), (Texts{"-U-D-", "-U-D-R-C-E-", "-", "-U-D-E-"}));
    EXPECT_EQ(w.Selection(kList), 0);

    w.Select(kComputer, "alpha");
    EXPECT_EQ(Entries(w, kServer), (Texts{"(Default)", "10.0.0.1", "10.0.0.2"}));
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob", "carl"}));
    w.Select(kServer, "10.0.0.2");
    EXPECT_EQ(Column(w, 0), (Texts{"carl"}));

    w.Select(kComputer, "beta");
    EXPECT_EQ(w.Count(kList), 0);
    for (int button : {kEdit, kDelete, kChangePassword}) EXPECT_FALSE(w.Enabled(button));
    w.Click(kAdd);  // "(Default)" is chosen: no dialog opens
  }));
  RunSheet();
  EXPECT_EQ(Count("Users"), 4);
}

TEST_P(UsersPageTest, TheSessionsComputerAndItsCurrentSiteAreChosenFirst) {
  Db().Execute("UPDATE VirtualServerGroup SET CurrentSite = '10.0.0.2' WHERE ID = ?", {alpha});
  Db().Execute("UPDATE VirtualServerGroup SET CurrentSite = '10.9' WHERE ID = ?", {gamma});
  session.computerName = "ALP";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kComputer), "alpha");
    EXPECT_EQ(w.Text(kServer), "10.0.0.2");
    EXPECT_EQ(Column(w, 0), (Texts{"carl"}));
    // A current site that matches no address leaves "(Default)" chosen.
    w.Select(kComputer, "gamma");
    EXPECT_EQ(w.Text(kServer), "(Default)");
    EXPECT_EQ(Column(w, 0), (Texts{"dora"}));
  }));
  RunSheet();
}

TEST_P(UsersPageTest, AVirtualServerListsOnlyItsOwnAccountsWhenItSharesItsAddress) {
  Db().Execute("UPDATE VirtualServers SET VServerIPAddr = '10.0.0.1' WHERE VServerID = ?", {other});
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "gamma");
    w.Select(kServer, "10.0.0.1");
    EXPECT_EQ(Column(w, 0), (Texts{"dora"}));
    w.Select(kComputer, "alpha");
    w.Select(kServer, "10.0.0.1");
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob"}));
  }));
  RunSheet();
}

TEST_P(UsersPageTest, AddStoresTheAccountAsTypedAndRefusesANameInUse) {
  TemporaryFolder home;
  const std::string name = "O'Brien \"ü\"";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "alpha");
    w.Select(kServer, "10.0.0.2");
    w.Click(kAdd);
    EXPECT_EQ(Column(w, 0), (Texts{"carl", name}));
    w.Click(kAdd);  // "anna" is in use on another virtual server
    EXPECT_EQ(Column(w, 0), (Texts{"carl", name}));
  }));
  steps.Window([&](ScriptedWindow& d) {
    d.SetText(kName, name);
    d.SetText(kPassword, "Grüße");
    d.SetText(kConfirm, "Grüße");
    d.SetText(kQuota, "7");
    d.Click(kBrowse);
    d.SetCheck(kDownload, true);
    d.Click(IDOK);
  });
  steps.Browse(home.Path().string());
  steps.Window([&](ScriptedWindow& d) {
    d.SetText(kName, "anna");
    d.SetText(kPassword, "x");
    d.SetText(kConfirm, "x");
    d.SetText(kQuota, "1");
    d.Click(kBrowse);
    d.Click(IDOK);
  });
  steps.Browse(home.Path().string()).Message(IDOK);
  RunSheet();
  EXPECT_EQ(MessageTexts(), (Texts{"Can not add user. User anna already exists!!"}));
  EXPECT_EQ(steps.Messages().at(0).caption, "Information");
  EXPECT_EQ(Stored("Password", name), Digest("Grüße"));
  EXPECT_EQ(Stored("HomeDir", name), home.Path().string());
  EXPECT_EQ(Stored("VirtualServerID", name), std::to_string(second));
  EXPECT_EQ(Stored("DiskQuota", name), "7");
  EXPECT_EQ(Stored("Permissions", name), "1");
  EXPECT_EQ(Count("Users", "UserName = 'anna'"), 1);
}

TEST_P(UsersPageTest, ANewPasswordSurvivesALaterEdit) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.SelectRow(kList, RowOf(w, "bob"));
    w.Click(kChangePassword);
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob", "carl", "dora"}));
    w.Click(kEdit);
    EXPECT_EQ(Column(w, 2), (Texts{"0", "99", "3", "-4"}));
    EXPECT_EQ(w.Selection(kList), 0);
  }));
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(kName), "bob");
    d.SetText(kPassword, "fresh");
    d.SetText(kConfirm, "fresh");
    d.Click(IDOK);
  });
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(kName), "bob");
    d.SetText(kQuota, "99");
    d.Click(IDOK);
  });
  RunSheet();
  EXPECT_EQ(Stored("Password", "bob"), Digest("fresh"));
  EXPECT_EQ(Stored("DiskQuota", "bob"), "99");
}

TEST_P(UsersPageTest, AChangeTheDatabaseRefusesLeavesTheListAsTheDatabaseHasIt) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.SelectRow(kList, RowOf(w, "bob"));
    w.Click(kEdit);
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "carl", "dora"}));
    w.SelectRow(kList, RowOf(w, "carl"));
    w.Click(kChangePassword);
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "dora"}));
  }));
  steps.Window([&](ScriptedWindow& d) {
    Db().Execute("DELETE FROM Users WHERE UserName = 'bob'");  // by another machine, meanwhile
    d.SetText(kQuota, "99");
    d.Click(IDOK);
  });
  steps.Message(IDOK);
  steps.Window([&](ScriptedWindow& d) {
    Db().Execute("DELETE FROM Users WHERE UserName = 'carl'");
    d.SetText(kPassword, "fresh");
    d.SetText(kConfirm, "fresh");
    d.Click(IDOK);
  });
  steps.Message(IDOK);
  RunSheet();
  EXPECT_EQ(MessageTexts(), (Texts{"Can not update user. User bob does not exist!!",
                                   "Can not update user. User carl does not exist!!"}));
}

TEST_P(UsersPageTest, DeleteAsksFirstAndRemovesOnlyTheChosenAccount) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "alpha");
    w.Select(kServer, "10.0.0.2");
    w.Click(kDelete);  // No
    EXPECT_EQ(Column(w, 0), (Texts{"carl"}));
    w.Click(kDelete);  // Yes
    EXPECT_EQ(w.Count(kList), 0);
    // The row buttons keep their state, and find no row to act on.
    for (int button : {kEdit, kDelete, kChangePassword}) {
      EXPECT_TRUE(w.Enabled(button));
      w.Click(button);
    }
  }));
  steps.Message(IDNO).Message(IDYES);
  RunSheet();
  ASSERT_EQ(steps.Messages().size(), 2u);
  EXPECT_EQ(steps.Messages()[0].text, "You are deleting user.\n\n Do you really want to continue ?");
  EXPECT_EQ(steps.Messages()[0].caption, "Warning");
  EXPECT_EQ(steps.Messages()[0].style, 0x34u);
  EXPECT_EQ(Count("Users"), 3);
  EXPECT_EQ(Count("Users", "UserName = 'carl'"), 0);
}

TEST_P(UsersPageTest, AStalePageReloadsWhenNextShownAndNeverMarksOthers) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    AddUser("eve", first, 1, 0);
    w.ActivatePage(1);
    w.ActivatePage(0);
    EXPECT_EQ(w.Count(kList), 4);  // not stale: nothing reloaded
    pSheet->MarkOtherPagesStale(CFTPSheet::kSitePageBit);
    w.ActivatePage(1);
    w.ActivatePage(0);
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob", "carl", "dora", "eve"}));
    EXPECT_EQ(pSheet->m_staleMask, CFTPSheet::kGeneralPageBit);
    w.SelectRow(kList, RowOf(w, "eve"));
    w.Click(kDelete);
    EXPECT_EQ(pSheet->m_staleMask, CFTPSheet::kGeneralPageBit);
  }));
  steps.Message(IDYES);
  RunSheet();
}

TEST_P(UsersPageTest, AHundredThousandAccountsAreListedQuickly) {
  Db().Execute(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
      "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
      "SELECT 'user' || i, 'digest', '/srv/ftp', 31, ?, 0, 100 FROM n",
      {first});
  std::chrono::duration<double> listing{};
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "alpha");
    const auto start = std::chrono::steady_clock::now();
    w.Select(kComputer, "(local)");
    listing = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(w.Count(kList), 100004);
    EXPECT_EQ(w.Cell(kList, 100003, 3), "-U-D-R-C-E-");
  }));
  RunSheet();
  RecordProperty("seconds", std::to_string(listing.count()));
  EXPECT_LT(listing.count(), 20.0) << "listing 100,000 accounts";
}

}  // namespace
