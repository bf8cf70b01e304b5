// The Virtual Servers page through the scripted backend against real engines: listing,
// adding, editing, deleting with everything that belongs to a virtual server, preferences,
// the Add Computer dialog, and which pages are told to reload.

#include <string>
#include <vector>

#include "tests/ui/PageTest.h"
#include "ui/SitePage.h"

namespace {

constexpr int kComputer = 7008, kAddComputer = 7014, kList = 7007;
constexpr int kAdd = 7009, kEdit = 7011, kDelete = 7012, kEditPreferences = 7010;
constexpr int kAddress = 7008, kDescription = 7009;  // in the Add Virtual Server dialog
constexpr int kPrefsCaption = 7029, kPort = 1033, kWelcome = 1038;
constexpr int kOthersStale = CFTPSheet::kGeneralPageBit | CFTPSheet::kUsersPageBit;

using Texts = std::vector<std::string>;

class SitePageTest : public PageTest<CSitePage> {
protected:
  void AddRows(const ConfigRows& rows) override {
    alpha = rows.Computer("alpha");
    rows.Computer("beta");  // runs no virtual server
    first = rows.VirtualServer(alpha, "10.0.0.1");
    second = rows.VirtualServer(alpha, "10.0.0.2");
    rows.Preference(first, "FTP Port", "2121");
    rows.Preference(first, "Anonymous", "1");
    rows.Preference(second, "FTP Port", "21");
    rows.User(first, "anna");
    rows.User(first, "bob");
    rows.User(second, "carl");
  }

  static Texts Addresses(const ScriptedWindow& w) { return Column(w, kList, 0); }
  static ScriptSteps::WindowAction TypeServer(const std::string& address, const std::string& description) {
    return [=](ScriptedWindow& d) {
      d.SetText(kAddress, address);
      d.SetText(kDescription, description);
      d.Click(IDOK);
    };
  }
  std::string Stored(const std::string& column, int serverId) {
    return Db().QueryValue("SELECT " + column + " FROM VirtualServers WHERE VServerID = ?", {serverId});
  }
  int PreferencesOf(int serverId) { return Count("Preferences", "VirtualServerID = " + std::to_string(serverId)); }
  int UsersOf(int serverId) { return Count("Users", "VirtualServerID = " + std::to_string(serverId)); }

  int alpha = 0, first = 0, second = 0;
};
VELTRANE_ON_ALL_ENGINES(SitePageTest);

TEST_P(SitePageTest, WithoutComputersOnlyAddComputerIsOfferedUntilOneIsAdded) {
  Db().Execute("DELETE FROM VirtualServerGroup");
  steps.Window(OnPage([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Count(kComputer), 0);
    EXPECT_EQ(w.Count(kList), 0);
    for (int button : {kAdd, kEdit, kDelete, kEditPreferences}) EXPECT_FALSE(w.Enabled(button));
    w.Click(kAddComputer);
    EXPECT_EQ(Entries(w, kComputer), (Texts{"delta"}));
    EXPECT_EQ(w.Count(kList), 0);
    EXPECT_TRUE(w.Enabled(kAdd));
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);
  }));
  steps.Window([](ScriptedWindow& d) {
    d.SetText(7028, "delta");
    d.Click(7011);  // Save
    d.Click(IDOK);  // Close
  });
  RunSheet();
}

TEST_P(SitePageTest, AddMarksTheOtherPagesEvenWhenTheAddressIsRefused) {
  const std::string description = "Zweites B\xC3\xBCro \"Nord\" l'annexe";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "beta");
    EXPECT_FALSE(w.Enabled(kEdit));
    w.Select(kComputer, "alpha");
    EXPECT_EQ(w.Selection(kList), 0);
    w.Click(kAdd);
    EXPECT_EQ(Addresses(w), (Texts{"10.0.0.1", "10.0.0.2", "10.0.0.3"}));
    pSheet->m_staleMask = 0;
    w.Click(kAdd);  // an address in use
    EXPECT_EQ(w.Count(kList), 3);
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);
    pSheet->m_staleMask = 0;
    w.Click(kAdd);  // a description too long for its column, then Cancel
    EXPECT_EQ(pSheet->m_staleMask, 0);
  }));
  steps.Window(TypeServer("10.0.0.3", description));
  steps.Window(TypeServer("10.0.0.1", "again")).Message(IDOK);
  steps.Window([](ScriptedWindow& d) {
    d.SetText(kDescription, std::string(256, 'x'));
    d.Click(IDOK);
    d.Cancel();
  });
  steps.Message(IDOK);
  RunSheet();
  EXPECT_EQ(MessageTexts(), (Texts{"Can not add virtual server. Virtual server 10.0.0.1 already exists!!",
                                   "The Description can hold at most 255 characters. Please shorten it."}));
  EXPECT_EQ(Db().Query("SELECT VServerIPAddr, VServerDesc FROM VirtualServers WHERE VServerGroupID = ? AND "
                       "VServerIPAddr = '10.0.0.3'",
                       {alpha}),
            (std::vector<Texts>{{"10.0.0.3", description}}));
  EXPECT_EQ(Count("VirtualServers"), 3);
}

TEST_P(SitePageTest, EditWritesAndMarksOnlyWhenATextChanged) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    // Another machine changes the row; an edit without changes must not write it back.
    Db().Execute("UPDATE VirtualServers SET VServerDesc = 'elsewhere' WHERE VServerID = ?", {first});
    w.Click(kEdit);
    EXPECT_EQ(Stored("VServerDesc", first), "elsewhere");
    EXPECT_EQ(pSheet->m_staleMask, 0);
    w.Click(kEdit);
    EXPECT_EQ(Addresses(w), (Texts{"10.0.0.5", "10.0.0.2"}));
    EXPECT_EQ(w.Cell(kList, 0, 1), "neu");
    EXPECT_EQ(w.Selection(kList), 0);
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);
  }));
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(kAddress), "10.0.0.1");
    EXPECT_EQ(d.Text(kDescription), "d");
    d.Click(IDOK);
  });
  steps.Window(TypeServer("10.0.0.5", "neu"));
  RunSheet();
  EXPECT_EQ(Stored("VServerIPAddr", first), "10.0.0.5");
  EXPECT_EQ(Stored("VServerDesc", first), "neu");
}

TEST_P(SitePageTest, DeleteRemovesTheServerWithItsPreferencesAndOnlyItsOwnAccounts) {
  // An edit has given the second virtual server the first one's address.
  Db().Execute("UPDATE VirtualServers SET VServerIPAddr = '10.0.0.1' WHERE VServerID = ?", {second});
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.SelectRow(kList, 1);
    w.Click(kDelete);  // No
    EXPECT_EQ(w.Count(kList), 2);
    EXPECT_EQ(pSheet->m_staleMask, 0);
    w.SelectRow(kList, 1);
    w.Click(kDelete);  // Yes
    EXPECT_EQ(Addresses(w), (Texts{"10.0.0.1"}));
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);
    w.Click(kEdit);  // the remaining row can still be edited
  }));
  steps.Message(IDNO).Message(IDYES);
  steps.Window(TypeServer("10.0.0.1", "kept"));
  RunSheet();
  EXPECT_EQ(steps.Messages()[0].style, 0x34u);
  EXPECT_EQ(Count("VirtualServers", "VServerID = " + std::to_string(second)), 0);
  EXPECT_EQ(PreferencesOf(second), 0);
  EXPECT_EQ(UsersOf(second), 0);
  EXPECT_EQ(PreferencesOf(first), 2);
  EXPECT_EQ(UsersOf(first), 2);
  EXPECT_EQ(Stored("VServerDesc", first), "kept");
}

TEST_P(SitePageTest, AServerThatCannotBeDeletedKeepsItsAccountsAndPreferences) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    Db().Execute("DELETE FROM VirtualServers WHERE VServerID = ?", {first});  // by another machine
    w.Click(kDelete);
    EXPECT_EQ(Addresses(w), (Texts{"10.0.0.2"}));
  }));
  steps.Message(IDYES).Message(IDOK);
  RunSheet();
  EXPECT_EQ(MessageTexts().back(), "Can not delete virtual server. Virtual server 10.0.0.1 does not exist!!");
  EXPECT_EQ(PreferencesOf(first), 2);
  EXPECT_EQ(UsersOf(first), 2);
}

TEST_P(SitePageTest, EditPreferencesUpdatesTheLoadedRowsOrInsertsTheEight) {
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Click(kEditPreferences);
    w.Click(kAdd);
    w.SelectRow(kList, 2);
    w.Click(kEditPreferences);  // cancelled
    EXPECT_EQ(Count("Preferences"), 3);
    pSheet->m_staleMask = 0;
    w.Click(kEditPreferences);
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);
  }));
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(kPrefsCaption), "Preferences for 10.0.0.1");
    EXPECT_EQ(d.Text(kPort), "2121");
    d.SetText(kPort, "2200");
    d.SetText(kWelcome, "Hallo");
    d.Click(IDOK);
  });
  steps.Window(TypeServer("10.0.0.3", "new"));
  steps.Window([](ScriptedWindow& d) { d.Cancel(); });
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(kPort), "21");
    d.Click(IDOK);
  });
  RunSheet();
  const int added = std::stoi(Db().QueryValue("SELECT VServerID FROM VirtualServers WHERE VServerIPAddr = '10.0.0.3'"));
  EXPECT_EQ(PreferencesOf(added), 8);
  // The loaded rows are written back; a setting without a row gets none.
  EXPECT_EQ(PreferencesOf(first), 2);
  EXPECT_EQ(Db().QueryValue("SELECT Settings FROM Preferences WHERE VirtualServerID = ? AND Description = 'FTP Port'",
                            {first}),
            "2200");
}

}  // namespace
