// The configuration sheet: its tabs and buttons, the stale-mask table, and which pages
// reload when another page has changed the database.

#include "tests/ui/UiTest.h"

namespace {

TEST(StaleMask, BecomesTheOtherTwoPagesOrNothing) {
  const std::pair<int, int32_t> table[] = {{1, 6}, {2, 5}, {4, 3}, {0, 0}, {3, 0}, {7, 0}, {8, 0}, {-1, 0}};
  for (const auto& [bit, mask] : table) {
    CFTPSheet sheet("Veltrane Properties");
    sheet.m_staleMask = 7;  // replaced, never added to
    sheet.MarkOtherPagesStale(bit);
    EXPECT_EQ(sheet.m_staleMask, mask) << "bit " << bit;
  }
}

// A page that counts its reloads.
class CountingPage : public CFTPSheetPage {
public:
  using CFTPSheetPage::CFTPSheetPage;
  int refreshes = 0;

protected:
  void RefreshPage() override { ++refreshes; }
};

class StalePagesTest : public ::testing::Test, protected ScriptedUi {
protected:
  StalePagesTest() {
    sheet.m_pDatabase = &session;
    for (CountingPage* page : {&general, &sites, &users}) sheet.AddPage(page);
  }
  void TearDown() override { ExpectScriptDone(); }
  std::vector<int> Refreshes() const { return {general.refreshes, sites.refreshes, users.refreshes}; }

  ConfigDatabase session;
  CFTPSheet sheet{"Veltrane Properties"};
  CountingPage general{129, CFTPSheet::kGeneralPageBit};
  CountingPage sites{7016, CFTPSheet::kSitePageBit};
  CountingPage users{2002, CFTPSheet::kUsersPageBit};
};

TEST_F(StalePagesTest, AStalePageReloadsOnceOnItsNextActivationAndAPageMadeWhileStaleDoesNot) {
  steps.Window([&](ScriptedWindow& w) {
    w.ActivatePage(1);
    sheet.MarkOtherPagesStale(CFTPSheet::kGeneralPageBit);
    w.ActivatePage(2);  // made now: filled once, no reload
    EXPECT_EQ(Refreshes(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(sheet.m_staleMask, CFTPSheet::kSitePageBit);
    w.ActivatePage(1);
    w.ActivatePage(0);
    sheet.MarkOtherPagesStale(CFTPSheet::kGeneralPageBit);
    w.ActivatePage(1);
    EXPECT_EQ(sheet.m_staleMask, CFTPSheet::kUsersPageBit);
    sheet.MarkOtherPagesStale(CFTPSheet::kSitePageBit);  // the pending reload of Users stays
    for (int page : {2, 1, 2, 0}) w.ActivatePage(page);
    EXPECT_EQ(Refreshes(), (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(sheet.m_staleMask, 0);
    w.CloseSheet(false);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(StalePagesTest, WithoutASessionTheFirstPageEndsTheSheetBeforeItShows) {
  sheet.m_pDatabase = nullptr;  // no window step: the sheet never reaches its modal loop
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

using FTPSheetTest = UiTest;
INSTANTIATE_TEST_SUITE_P(SQLite, FTPSheetTest, ::testing::Values(Engine::SQLite));

TEST_P(FTPSheetTest, FourTabsOnGeneralWithOkAndCancelOnlyAndTheAboutPageLast) {
  session.LoadComputers();
  CFTPSheet sheet("Veltrane Properties");
  sheet.AttachDatabase(&session);
  sheet.AttachDatabase(&session);  // a second call adds no pages
  steps.Window([&](ScriptedWindow& w) {
    ASSERT_EQ(w.PageCount(), 4);
    for (int page = 0; page < 4; ++page)
      EXPECT_EQ(w.PageCaption(page), (Texts{"General", "Virtual Servers", "Users", "About"})[page]);
    EXPECT_EQ(w.ActivePage(), 0);
    EXPECT_TRUE(w.Exists(IDOK) && w.Exists(IDCANCEL));
    EXPECT_FALSE(w.Exists(ID_APPLY_NOW) || w.Exists(IDHELP));
    for (int page : {1, 2, 3}) w.ActivatePage(page);
    w.CloseSheet(true);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

// What one page loads never makes another page's Edit or Delete miss its row.
class CrossPageTest : public UiTest {
protected:
  void AddRows() override {
    const int alpha = Computer("alpha");
    first = VirtualServer(alpha, "10.0.0.1");
    User(first, "anna");
    User(VirtualServer(alpha, "10.0.0.2"), "bob");
  }
  int first = 0;
};
VELTRANE_ON_ALL_ENGINES(CrossPageTest);

TEST_P(CrossPageTest, VirtualServersEditAndDeleteActOnTheirRowAfterTheUsersPageLoadedAnotherServer) {
  constexpr int kSites = 7007, kSiteEdit = 7011, kSiteDelete = 7012, kUserComputer = 7008, kUserServer = 7030;
  session.LoadComputers();
  CFTPSheet sheet("Veltrane Properties");
  sheet.AttachDatabase(&session);
  steps.Window([&](ScriptedWindow& w) {
    w.ActivatePage(1);
    w.ActivatePage(2);
    w.Select(kUserComputer, "alpha");
    w.Select(kUserServer, "10.0.0.2");
    w.ActivatePage(1);
    w.SelectRow(kSites, 0);
    w.Click(kSiteEdit);
    EXPECT_EQ(Db().QueryValue("SELECT VServerDesc FROM VirtualServers WHERE VServerID = ?", {first}), "edited");
    w.SelectRow(kSites, 0);
    w.Click(kSiteDelete);
    EXPECT_EQ(Column(w, kSites), Texts{"10.0.0.2"});
    w.CloseSheet(true);
  });
  steps.Window([](ScriptedWindow& d) {
    d.SetText(7009, "edited");
    d.Click(IDOK);
  });
  steps.Message(IDYES);
  sheet.DoModal();
  EXPECT_EQ(Db().QueryValue("SELECT COUNT(*) FROM Users WHERE VirtualServerID = ?", {first}), "0");
  EXPECT_EQ(Db().Query("SELECT VServerIPAddr, VServerDesc FROM VirtualServers"), (Rows{{"10.0.0.2", "d"}}));
  EXPECT_EQ(Count("Users", "UserName = 'bob'"), 1);
}

}  // namespace
