// The Users page against real engines: which accounts each choice lists, adding, editing,
// deleting and new passwords, the stale contract, and 100,000 accounts.

#include <chrono>

#include "digest/Digest.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/ui/PageTest.h"
#include "ui/UsersPage.h"

namespace {

constexpr int kComputer = 7008, kServer = 7030, kList = 2007;
constexpr int kAdd = 2004, kEdit = 2005, kDelete = 2006, kChangePassword = 1000;
constexpr int kName = 1028, kPassword = 1013, kConfirm = 1014, kQuota = 7010, kBrowse = 1019, kDownload = 1053;

using Texts = std::vector<std::string>;

std::string Digest(const std::string& text) {
  std::string digest;
  DigestText(text, digest);
  return digest;
}

class UsersPageTest : public PageTest<CUsersPage> {
protected:
  void AddRows(const ConfigRows& rows) override {
    alpha = rows.Computer("alpha");
    rows.Computer("beta");  // runs no virtual server
    gamma = rows.Computer("gamma");
    first = rows.VirtualServer(alpha, "10.0.0.1");
    second = rows.VirtualServer(alpha, "10.0.0.2");
    const int other = rows.VirtualServer(gamma, "10.0.0.1");  // an edit gave it first's address
    AddUser("anna", first, 5, 0);
    AddUser("bob", first, 31, 12);
    AddUser("carl", second, 0, 3);
    AddUser("dora", other, 21, -4);
    AddUser("root", -1, -1, 0);
  }

  void AddUser(const std::string& name, int serverId, int permissions, int quota) {
    Db().Execute(
        "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
        "VALUES (?, 'digest', ?, ?, ?, 0, ?)",
        {name, "/srv/" + name, permissions, serverId, quota});
  }
  static Texts Column(const ScriptedWindow& w, int column) { return PageTest::Column(w, kList, column); }
  std::string Stored(const std::string& column, const std::string& name) {
    return Db().QueryValue("SELECT " + column + " FROM Users WHERE UserName = ?", {name});
  }

  int alpha = 0, gamma = 0, first = 0, second = 0;
};
VELTRANE_ON_ALL_ENGINES(UsersPageTest);

TEST_P(UsersPageTest, EachChoiceListsItsOwnAccounts) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    EXPECT_EQ(Entries(w, kComputer), (Texts{"(local)", "alpha", "beta", "gamma"}));
    EXPECT_EQ(Entries(w, kServer), (Texts{"(Default)"}));
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob", "carl", "dora", "root"}));
    EXPECT_EQ(Column(w, 2), (Texts{"0", "12", "3", "-4", "0"}));
    EXPECT_EQ(Column(w, 3), (Texts{"-U-D-", "-U-D-R-C-E-", "-", "-U-D-E-", "-U-D-R-C-E-"}));
    w.Select(kComputer, "alpha");
    EXPECT_EQ(Entries(w, kServer), (Texts{"(Default)", "10.0.0.1", "10.0.0.2"}));
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob", "carl"}));
    w.Select(kServer, "10.0.0.1");
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "bob"}));
    w.Select(kComputer, "gamma");  // the later of two virtual servers on one address
    w.Select(kServer, "10.0.0.1");
    EXPECT_EQ(Column(w, 0), (Texts{"dora"}));
    w.Select(kComputer, "beta");
    EXPECT_EQ(w.Count(kList), 0);
    EXPECT_FALSE(w.Enabled(kEdit));
    w.Click(kAdd);  // "(Default)" is chosen: no dialog opens
  }));
  RunSheet();
  EXPECT_EQ(Count("Users"), 5);
}

TEST_P(UsersPageTest, TheSessionsComputerAndItsCurrentSiteAreChosenFirst) {
  Db().Execute("UPDATE VirtualServerGroup SET CurrentSite = '10.0.0.2' WHERE ID = ?", {alpha});
  Db().Execute("UPDATE VirtualServerGroup SET CurrentSite = '10.9' WHERE ID = ?", {gamma});
  session.computerName = "ALP";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(kServer), "10.0.0.2");
    EXPECT_EQ(Column(w, 0), (Texts{"carl"}));
    w.Select(kComputer, "gamma");  // no address begins with its current site
    EXPECT_EQ(w.Text(kServer), "(Default)");
    EXPECT_EQ(Column(w, 0), (Texts{"dora"}));
  }));
  RunSheet();
}

TEST_P(UsersPageTest, AddStoresTheAccountAsTypedAndRefusesANameInUse) {
  TemporaryFolder home;
  const std::string name = "O'Brien \"ü\"";
  const auto typeAccount = [&](const std::string& typed) {
    return [&, typed](ScriptedWindow& d) {
      d.SetText(kName, typed);
      d.SetText(kPassword, "Grüße");
      d.SetText(kConfirm, "Grüße");
      d.SetText(kQuota, "7");
      d.Click(kBrowse);
      d.SetCheck(kDownload, true);
      d.Click(IDOK);
    };
  };
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "alpha");
    w.Select(kServer, "10.0.0.2");
    w.Click(kAdd);
    w.Click(kAdd);  // "anna" is in use on another virtual server
    EXPECT_EQ(Column(w, 0), (Texts{"carl", name}));
  }));
  steps.Window(typeAccount(name)).Browse(home.Path().string());
  steps.Window(typeAccount("anna")).Browse(home.Path().string()).Message(IDOK);
  RunSheet();
  EXPECT_EQ(MessageTexts(), (Texts{"Can not add user. User anna already exists!!"}));
  EXPECT_EQ(Db().Query("SELECT Password, HomeDir, VirtualServerID, DiskQuota, Permissions FROM Users WHERE "
                       "UserName = ?",
                       {name}),
            (std::vector<Texts>{{Digest("Grüße"), home.Path().string(), std::to_string(second), "7", "1"}}));
  EXPECT_EQ(Count("Users", "UserName = 'anna'"), 1);
}

TEST_P(UsersPageTest, ANewPasswordSurvivesALaterEdit) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.SelectRow(kList, 1);  // bob
    w.Click(kChangePassword);
    w.Click(kEdit);
    EXPECT_EQ(Column(w, 2), (Texts{"0", "99", "3", "-4", "0"}));
  }));
  steps.Window([](ScriptedWindow& d) {
    d.SetText(kPassword, "fresh");
    d.SetText(kConfirm, "fresh");
    d.Click(IDOK);
  });
  steps.Window([](ScriptedWindow& d) {
    d.SetText(kQuota, "99");
    d.Click(IDOK);
  });
  RunSheet();
  EXPECT_EQ(Stored("Password", "bob"), Digest("fresh"));
  EXPECT_EQ(Stored("DiskQuota", "bob"), "99");
}

TEST_P(UsersPageTest, AChangeTheDatabaseRefusesLeavesTheListAsTheDatabaseHasIt) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.SelectRow(kList, 1);  // bob
    w.Click(kEdit);
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "carl", "dora", "root"}));
    w.SelectRow(kList, 1);  // carl
    w.Click(kChangePassword);
    EXPECT_EQ(Column(w, 0), (Texts{"anna", "dora", "root"}));
  }));
  // Another machine deletes each account while its dialog is open.
  steps.Window([&](ScriptedWindow& d) {
    Db().Execute("DELETE FROM Users WHERE UserName = 'bob'");
    d.Click(IDOK);
  });
  steps.Message(IDOK).Window([&](ScriptedWindow& d) {
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

TEST_P(UsersPageTest, AStalePageReloadsWhenShownAndDeleteMarksNoOtherPage) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    AddUser("eve", first, 1, 0);
    w.ActivatePage(1);
    w.ActivatePage(0);
    EXPECT_EQ(w.Count(kList), 5);  // not stale: not reloaded
    pSheet->MarkOtherPagesStale(CFTPSheet::kSitePageBit);
    w.ActivatePage(1);
    w.ActivatePage(0);
    EXPECT_EQ(w.Count(kList), 6);
    w.SelectRow(kList, 5);
    w.Click(kDelete);  // No
    w.Click(kDelete);  // Yes
    EXPECT_EQ(w.Count(kList), 5);
    EXPECT_EQ(pSheet->m_staleMask, CFTPSheet::kGeneralPageBit);
  }));
  steps.Message(IDNO).Message(IDYES);
  RunSheet();
  EXPECT_EQ(steps.Messages()[0].text, "You are deleting user.\n\n Do you really want to continue ?");
  EXPECT_EQ(Count("Users", "UserName = 'eve'"), 0);
  EXPECT_EQ(Count("Users"), 5);
}

TEST_P(UsersPageTest, AHundredThousandAccountsAreListedQuickly) {
  Db().Execute(
      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
      "INSERT INTO Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota) "
      "SELECT 'user' || i, 'digest', '/srv/ftp', 31, ?, 0, 100 FROM n",
      {first});
  std::chrono::duration<double> listing{};
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "beta");
    const auto start = std::chrono::steady_clock::now();
    w.Select(kComputer, "(local)");
    listing = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(w.Count(kList), 100005);
  }));
  RunSheet();
  RecordProperty("seconds", std::to_string(listing.count()));
  EXPECT_LT(listing.count(), 20.0) << "listing 100,000 accounts";
}

}  // namespace
