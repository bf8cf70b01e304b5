// The Virtual Servers page against real engines: adding, editing, deleting with everything
// that belongs to a virtual server, its preferences, and which pages are told to reload.

#include "tests/ui/UiTest.h"
#include "ui/SitePage.h"

namespace {

constexpr int kComputer = 7008, kList = 7007, kAdd = 7009, kEdit = 7011, kDelete = 7012, kEditPreferences = 7010;
constexpr int kAddress = 7008, kDescription = 7009;  // in the Add Virtual Server dialog
constexpr int kOthersStale = CFTPSheet::kGeneralPageBit | CFTPSheet::kUsersPageBit;

class SitePageTest : public UiTest {
protected:
  void AddRows() override {
    alpha = Computer("alpha");
    Computer("beta");  // runs no virtual server
    first = VirtualServer(alpha, "10.0.0.1");
    second = VirtualServer(alpha, "10.0.0.2");
    Preference(first, "FTP Port", "2121");
    Preference(first, "Anonymous", "1");
    Preference(second, "FTP Port", "21");
    User(first, "anna");
    User(first, "bob");
    User(second, "carl");
  }

  static ScriptSteps::WindowAction TypeServer(const std::string& address, const std::string& description) {
    return [=](ScriptedWindow& d) {
      d.SetText(kAddress, address);
      d.SetText(kDescription, description);
      d.Click(IDOK);
    };
  }
  Rows Servers() { return Db().Query("SELECT VServerIPAddr, VServerDesc FROM VirtualServers ORDER BY VServerID"); }
  // The preferences and the users of a virtual server.
  std::pair<int, int> Dependents(int serverId) {
    const std::string where = "VirtualServerID = " + std::to_string(serverId);
    return {Count("Preferences", where), Count("Users", where)};
  }

  int alpha = 0, first = 0, second = 0;
};
VELTRANE_ON_ALL_ENGINES(SitePageTest);

TEST_P(SitePageTest, AddAndEditStoreExactlyAsTypedAndMarkTheOtherPagesOnlyOnAWrite) {
  const std::string description = "Zweites B\xC3\xBCro \"Nord\" l'annexe";
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(kComputer, "beta");
    EXPECT_FALSE(w.Enabled(kEdit));
    w.Select(kComputer, "alpha");
    w.Click(kAdd);  // an address in use
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);  // marked even though the address is refused
    pSheet->m_staleMask = 0;
    w.Click(kAdd);  // a description too long for its column, then Cancel
    // Another machine changes the row; an edit without changes must not write it back.
    Db().Execute("UPDATE VirtualServers SET VServerDesc = 'elsewhere' WHERE VServerID = ?", {first});
    w.Click(kEdit);
    EXPECT_EQ(Servers()[0][1], "elsewhere");
    EXPECT_EQ(pSheet->m_staleMask, 0);
    w.Click(kEdit);
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);
    EXPECT_EQ(Column(w, kList), (Texts{"10.0.0.5", "10.0.0.2"}));
    w.Click(kAdd);
    EXPECT_EQ(w.Count(kList), 3);
  }));
  steps.Window(TypeServer("10.0.0.1", "again")).Message(IDOK);
  steps.Window([](ScriptedWindow& d) {
    d.SetText(kDescription, std::string(256, 'x'));
    d.Click(IDOK);
    d.Cancel();
  });
  steps.Message(IDOK);
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(kDescription), "d");
    d.Click(IDOK);
  });
  steps.Window(TypeServer("10.0.0.5", "neu")).Window(TypeServer("10.0.0.3", description));
  RunSheet<CSitePage>();
  EXPECT_EQ(MessageTexts(), (Texts{"Can not add virtual server. Virtual server 10.0.0.1 already exists!!",
                                   "The Description can hold at most 255 characters. Please shorten it."}));
  EXPECT_EQ(Servers(), (Rows{{"10.0.0.5", "neu"}, {"10.0.0.2", "d"}, {"10.0.0.3", description}}));
}

TEST_P(SitePageTest, DeleteRemovesTheServerWithItsPreferencesAndOnlyItsOwnAccounts) {
  // An edit has given the second virtual server the first one's address.
  Db().Execute("UPDATE VirtualServers SET VServerIPAddr = '10.0.0.1' WHERE VServerID = ?", {second});
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.SelectRow(kList, 1);
    w.Click(kDelete);  // No
    EXPECT_EQ(pSheet->m_staleMask, 0);
    w.SelectRow(kList, 1);
    w.Click(kDelete);  // Yes
    EXPECT_EQ(Column(w, kList), (Texts{"10.0.0.1"}));
    EXPECT_EQ(pSheet->m_staleMask, kOthersStale);
    w.Click(kEdit);  // the remaining row can still be edited
    w.Click(kEditPreferences);
    // The settings without a row get theirs, so no edit can be lost.
    EXPECT_EQ(Count("Preferences", "VirtualServerID = " + std::to_string(first)), 8);
    EXPECT_EQ(Db().QueryValue("SELECT Settings FROM Preferences WHERE VirtualServerID = ? AND Description = 'FTP Port'",
                              {first}),
              "2200");
    EXPECT_EQ(Dependents(second), std::make_pair(0, 0));
    // A server another machine has deleted keeps what was configured for it.
    Db().Execute("DELETE FROM VirtualServers WHERE VServerID = ?", {first});
    w.Click(kDelete);
  }));
  steps.Message(IDNO).Message(IDYES).Window(TypeServer("10.0.0.1", "kept"));
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(7029), "Preferences for 10.0.0.1");
    d.SetText(1033, "2200");
    d.Click(IDOK);
  });
  steps.Message(IDYES).Message(IDOK);
  RunSheet<CSitePage>();
  EXPECT_EQ(MessageTexts().back(), "Can not delete virtual server. Virtual server 10.0.0.1 does not exist!!");
  EXPECT_EQ(Dependents(first), std::make_pair(8, 2));
}

}  // namespace
