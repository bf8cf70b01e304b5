// The configuration sheet: its tabs and buttons, and which pages reload when another page has
// changed the database.

#include "tests/ui/UiTest.h"
#include "ui/FTPSheet.h"

namespace {

// A page that counts its reloads and can say it changed the database.
class CountingPage : public CFTPSheetPage {
 public:
  using CFTPSheetPage::CFTPSheetPage;
  void Changed() { MarkOtherPagesStale(); }
  int refreshes = 0;

 protected:
  void RefreshPage() override { ++refreshes; }
};

class StalePagesTest : public ::testing::Test, protected ScriptedUi {
 protected:
  StalePagesTest() {
    for (CountingPage* page : {&general, &sites, &users}) sheet.AddPage(page);
  }
  void TearDown() override { ExpectScriptDone(); }
  std::vector<int> Refreshes() const { return {general.refreshes, sites.refreshes, users.refreshes}; }
  // Runs the sheet with `act` on it, closed with Cancel afterwards.
  void Run(const std::function<void(ScriptedWindow&)>& act) {
    steps.Window([&](ScriptedWindow& w) {
      act(w);
      w.CloseSheet(false);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  }

  ConfigDatabase session;
  StalePageMask stalePages;
  CPropertySheet sheet{"Veltrane Properties"};
  CountingPage general{IDD_GENERAL, CFTPSheetPage::kGeneralPageBit, &session, stalePages};
  CountingPage sites{IDD_VIRTUAL_SERVERS, CFTPSheetPage::kSitePageBit, &session, stalePages};
  CountingPage users{IDD_USERS, CFTPSheetPage::kUsersPageBit, &session, stalePages};
};

TEST_F(StalePagesTest, AfterAChangeEachOtherPageReloadsOnceOnItsNextActivation) {
  Run([&](ScriptedWindow& w) {
    for (int page : {1, 2, 0}) w.ActivatePage(page);
    general.Changed();
    for (int page : {1, 2, 1, 2, 0}) w.ActivatePage(page);
    EXPECT_EQ(Refreshes(), (std::vector<int>{0, 1, 1}));
  });
}

TEST_F(StalePagesTest, APageFirstShownAfterAChangeIsFilledOnceWithoutAReload) {
  Run([&](ScriptedWindow& w) {
    general.Changed();
    for (int page : {1, 2, 1}) w.ActivatePage(page);
    EXPECT_EQ(Refreshes(), (std::vector<int>{0, 0, 0}));
  });
}

TEST_F(StalePagesTest, TheChangingPageDoesNotReloadButAReloadStillPendingStays) {
  Run([&](ScriptedWindow& w) {
    for (int page : {1, 2, 0}) w.ActivatePage(page);
    general.Changed();
    w.ActivatePage(1);
    sites.Changed();  // Users has not reloaded yet
    for (int page : {2, 0, 1}) w.ActivatePage(page);
    EXPECT_EQ(Refreshes(), (std::vector<int>{1, 1, 1}));
  });
}

TEST(FTPSheetWithoutASession, EndsBeforeItShows) {
  ScriptedUi ui;  // no window step: the sheet never reaches its modal loop
  CFTPSheet sheet("Veltrane Properties");
  sheet.AttachDatabase(nullptr);
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  ui.ExpectScriptDone();
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
TEST_P(FTPSheetTest, VirtualServersEditAndDeleteActOnTheirRowAfterTheUsersPageLoadedAnotherServer) {
  const int alpha = Computer("alpha");
  VirtualServer(alpha, "10.0.0.1");
  VirtualServer(alpha, "10.0.0.2");
  session.LoadComputers();
  CFTPSheet sheet("Veltrane Properties");
  sheet.AttachDatabase(&session);
  steps.Window([&](ScriptedWindow& w) {
    w.ActivatePage(1);  // lists alpha's servers
    w.ActivatePage(2);
    w.Select(IDC_COMPUTER, "alpha");
    w.Select(IDC_USERS_VIRTUAL_SERVER, "10.0.0.2");
    w.ActivatePage(1);
    w.SelectRow(IDC_SERVER_LIST, 0);
    w.Click(IDC_EDIT_SERVER);
    w.SelectRow(IDC_SERVER_LIST, 0);
    w.Click(IDC_DELETE_SERVER);
    w.CloseSheet(true);
  });
  steps.Window(Type({{IDC_SERVER_DESCRIPTION, "edited"}})).Message(IDYES);
  sheet.DoModal();
  EXPECT_EQ(Db().Query("SELECT VServerIPAddr, VServerDesc FROM VirtualServers"), (Rows{{"10.0.0.2", "d"}}));
}

}  // namespace
