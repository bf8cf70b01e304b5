// The Virtual Servers page against real engines: adding, editing, deleting with everything
// that belongs to a virtual server, its preferences, and which pages are told to reload.

#include <utility>

#include "tests/ui/UiTest.h"
#include "ui/SitePage.h"

namespace {

constexpr int kOthersStale = CFTPSheetPage::kGeneralPageBit | CFTPSheetPage::kUsersPageBit;

using SitePageTest = UiTest;
VELTRANE_ON_ALL_ENGINES(SitePageTest);

// One run, each step's result checked before the next: an edit without changes writes nothing
// (another machine changed the row meanwhile) and marks no page; a description too long for
// its column keeps the dialog open; what fits is stored exactly as typed. Edit Preferences
// is for the chosen server (what it writes is the General page's test, which shares it).
// Delete asks, then hands the model the chosen server, though another machine has given it
// the address of another.
TEST_P(SitePageTest, EachChangeIsStoredAsTypedAndMarksTheOtherPagesOnlyWhenItChangedSomething) {
  const int alpha = Computer("alpha");
  Computer("beta");  // runs no virtual server
  const int first = VirtualServer(alpha, "10.0.0.1"), second = VirtualServer(alpha, "10.0.0.2");
  const std::string description = "Zweites B\xC3\xBCro \"Nord\" l'annexe";
  const auto marked = [this] { return std::exchange(stalePages.m_staleMask, 0); };  // and clears the marks
  steps.Window(OnPage([&](ScriptedWindow& w) {
    w.Select(IDC_COMPUTER, "beta");
    EXPECT_FALSE(w.Enabled(IDC_EDIT_SERVER));
    w.Select(IDC_COMPUTER, "alpha");
    Db().Execute("UPDATE VirtualServers SET VServerDesc = 'elsewhere' WHERE VServerID = ?", {first});
    w.Click(IDC_EDIT_SERVER);
    EXPECT_EQ(marked(), 0);
    EXPECT_EQ(Db().QueryValue("SELECT VServerDesc FROM VirtualServers WHERE VServerID = ?", {first}),
              "elsewhere");
    w.Click(IDC_EDIT_SERVER);
    EXPECT_EQ(marked(), kOthersStale);
    EXPECT_EQ(Column(w, IDC_SERVER_LIST), (Texts{"10.0.0.5", "10.0.0.2"}));
    w.Click(IDC_ADD_SERVER);
    EXPECT_EQ(w.Count(IDC_SERVER_LIST), 3);
    EXPECT_EQ(marked(), kOthersStale);
    w.SelectRow(IDC_SERVER_LIST, 0);
    w.Click(IDC_SERVER_PREFERENCES);
    EXPECT_EQ(marked(), kOthersStale);
    w.Click(IDC_SERVERS_ADD_COMPUTER);
    EXPECT_EQ(Column(w, IDC_COMPUTER), (Texts{"alpha", "beta", "gamma"}));
    EXPECT_EQ(marked(), kOthersStale);
    Db().Execute("UPDATE VirtualServers SET VServerIPAddr = '10.0.0.5' WHERE VServerID = ?", {second});
    w.Select(IDC_COMPUTER, "alpha");
    w.SelectRow(IDC_SERVER_LIST, 1);
    w.Click(IDC_DELETE_SERVER);  // No
    EXPECT_EQ(marked(), 0);
    w.SelectRow(IDC_SERVER_LIST, 1);
    w.Click(IDC_DELETE_SERVER);  // Yes
    EXPECT_EQ(Column(w, IDC_SERVER_LIST), (Texts{"10.0.0.5", "10.0.0.3"}));
    EXPECT_EQ(marked(), kOthersStale);
  }));
  steps.Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(IDC_SERVER_DESCRIPTION), "d");
    d.Click(IDOK);
  });
  steps.Window(Type({{IDC_SERVER_ADDRESS, "10.0.0.5"}, {IDC_SERVER_DESCRIPTION, "neu"}}));
  steps.Window([&](ScriptedWindow& d) {
    d.SetText(IDC_SERVER_DESCRIPTION, std::string(256, 'x'));
    d.Click(IDOK);
    EXPECT_FALSE(d.Ended());
    Type({{IDC_SERVER_ADDRESS, "10.0.0.3"}, {IDC_SERVER_DESCRIPTION, description}})(d);
  });
  steps.Message(IDOK).Window([](ScriptedWindow& d) {
    EXPECT_EQ(d.Text(IDC_PREFERENCES_CAPTION), "Preferences for 10.0.0.5");
    Type({{IDC_FTP_PORT, "2200"}})(d);
  });
  steps.Window(Type({{IDC_COMPUTER_NAME, "gamma"}}, {IDC_SAVE_COMPUTER, IDOK}));
  steps.Message(IDNO).Message(IDYES);
  RunSheet<CSitePage>();
  EXPECT_EQ(MessageTexts()[0], "The Description can hold at most 255 characters. Please shorten it.");
  EXPECT_EQ(Db().Query("SELECT VServerIPAddr, VServerDesc FROM VirtualServers ORDER BY VServerID"),
            (Rows{{"10.0.0.5", "neu"}, {"10.0.0.3", description}}));
  // The eight preferences written for the chosen server (what the delete takes with it is the model's test).
  EXPECT_EQ(Db().Query("SELECT VirtualServerID, COUNT(*) FROM Preferences GROUP BY VirtualServerID"),
            (Rows{{std::to_string(first), "8"}}));
}

}  // namespace
