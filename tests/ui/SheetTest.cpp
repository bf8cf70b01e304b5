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

}  // namespace
