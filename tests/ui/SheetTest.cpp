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

using FTPSheetTest = UiTest;
INSTANTIATE_TEST_SUITE_P(SQLite, FTPSheetTest, ::testing::Values(Engine::SQLite));

// In steps where a page number is that page's activation and -1 a change by the page shown at
// the time: the changing page does not reload, a page first shown after a change is filled
// once without a reload, and a reload still pending stays when another page changes something.
TEST_P(FTPSheetTest, AfterAChangeEachOtherPageReloadsOnceOnItsNextActivation) {
  const struct {
    std::vector<int> steps;
    std::vector<int> refreshes;
  } cases[] = {
      {{1, 2, 0, -1, 1, 2, 1, 2, 0}, {0, 1, 1}},
      {{-1, 1, 2, 1}, {0, 0, 0}},
      {{1, 2, 0, -1, 1, -1, 2, 0, 1}, {1, 1, 1}},
  };
  for (const auto& c : cases) {
    StalePageMask stale;
    CPropertySheet sheet{"Veltrane Properties"};
    CountingPage general{IDD_GENERAL, CFTPSheetPage::kGeneralPageBit, &session, stale};
    CountingPage sites{IDD_VIRTUAL_SERVERS, CFTPSheetPage::kSitePageBit, &session, stale};
    CountingPage users{IDD_USERS, CFTPSheetPage::kUsersPageBit, &session, stale};
    CountingPage* pages[] = {&general, &sites, &users};
    for (CountingPage* page : pages) sheet.AddPage(page);
    int shown = 0;
    steps.Window([&](ScriptedWindow& w) {
      for (int step : c.steps) {
        if (step < 0)
          pages[shown]->Changed();
        else
          w.ActivatePage(shown = step);
      }
      w.CloseSheet(false);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ((std::vector<int>{general.refreshes, sites.refreshes, users.refreshes}), c.refreshes);
  }
}

// Four tabs, without Apply and Help; and what one page loads never makes another
// page's Edit or Delete miss its row.
TEST_P(FTPSheetTest, FourTabsAndTheVirtualServersRowsHoldAfterTheUsersPageLoadedAnotherServer) {
  const int alpha = Computer("alpha");
  VirtualServer(alpha, "10.0.0.1");
  VirtualServer(alpha, "10.0.0.2");
  session.LoadComputers();
  CFTPSheet sheet("Veltrane Properties");
  sheet.AttachDatabase(&session);
  steps.Window([&](ScriptedWindow& w) {
    Texts captions;
    for (int page = 0; page < w.PageCount(); ++page) captions.push_back(w.PageCaption(page));
    EXPECT_EQ(captions, (Texts{"General", "Virtual Servers", "Users", "About"}));
    EXPECT_FALSE(w.Exists(ID_APPLY_NOW) || w.Exists(IDHELP));
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
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(Db().Query("SELECT VServerIPAddr, VServerDesc FROM VirtualServers"), (Rows{{"10.0.0.2", "d"}}));
}

}  // namespace
