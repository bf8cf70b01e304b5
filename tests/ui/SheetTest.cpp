// The configuration sheet: its tabs and buttons, the stale-mask table, and which pages
// reload when another page has changed the database.

#include <gtest/gtest.h>

#include <algorithm>

#include "db/ConfigDatabase.h"
#include "db/RegistryKey.h"
#include "framework/Backend.h"
#include "framework/Control.h"
#include "framework/ModuleResources.h"
#include "framework/WindowState.h"
#include "framework/scripted/ScriptSteps.h"
#include "framework/scripted/ScriptedBackend.h"
#include "framework/scripted/ScriptedWindow.h"
#include "res/DialogTemplate.h"
#include "res/Resources.h"
#include "tests/support/DatabaseTest.h"
#include "ui/FTPSheet.h"

namespace {

const ModuleResources& AppletResources() {
  static const ModuleResources module{&res::FindDialogTemplate, &res::FindBitmapXpm};
  return module;
}

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

class StalePagesTest : public ::testing::Test {
protected:
  StalePagesTest() {
    sheet.m_pDatabase = &session;
    for (CountingPage* page : {&general, &sites, &users}) sheet.AddPage(page);
  }
  void TearDown() override {
    EXPECT_EQ(backend.Failure(), "");
    EXPECT_TRUE(steps.AllTaken());
  }
  std::vector<int> Refreshes() const { return {general.refreshes, sites.refreshes, users.refreshes}; }

  ModuleResourceScope module{AppletResources()};
  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
  ConfigDatabase session;
  CFTPSheet sheet{"Veltrane Properties"};
  CountingPage general{129, CFTPSheet::kGeneralPageBit};
  CountingPage sites{7016, CFTPSheet::kSitePageBit};
  CountingPage users{2002, CFTPSheet::kUsersPageBit};
};

TEST_F(StalePagesTest, AStalePageReloadsOnceOnItsNextActivation) {
  steps.Window([&](ScriptedWindow& w) {
    w.ActivatePage(2);
    w.ActivatePage(1);
    sheet.MarkOtherPagesStale(CFTPSheet::kSitePageBit);  // the Virtual Servers page added a server
    EXPECT_EQ(sheet.m_staleMask, 5);
    w.ActivatePage(2);
    EXPECT_EQ(Refreshes(), (std::vector<int>{0, 0, 1}));
    w.ActivatePage(1);
    w.ActivatePage(2);
    EXPECT_EQ(Refreshes(), (std::vector<int>{0, 0, 1}));
    w.CloseSheet(true);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(StalePagesTest, AReportWhileAnotherIsPendingMarksBothOtherPages) {
  steps.Window([&](ScriptedWindow& w) {
    w.ActivatePage(1);
    w.ActivatePage(2);
    w.ActivatePage(0);
    sheet.MarkOtherPagesStale(CFTPSheet::kGeneralPageBit);
    EXPECT_EQ(sheet.m_staleMask, 6);
    w.ActivatePage(1);
    EXPECT_EQ(sheet.m_staleMask, 4);
    sheet.MarkOtherPagesStale(CFTPSheet::kSitePageBit);
    EXPECT_EQ(sheet.m_staleMask, 5);
    w.ActivatePage(0);
    w.ActivatePage(2);
    EXPECT_EQ(Refreshes(), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(sheet.m_staleMask, 0);
    w.CloseSheet(false);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(StalePagesTest, APageMadeWhileStaleFillsOnceWithoutAReload) {
  steps.Window([&](ScriptedWindow& w) {
    sheet.MarkOtherPagesStale(CFTPSheet::kGeneralPageBit);
    w.ActivatePage(2);
    EXPECT_EQ(Refreshes(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(sheet.m_staleMask, CFTPSheet::kSitePageBit);
    w.CloseSheet(true);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(StalePagesTest, WithoutASessionTheFirstPageEndsTheSheetBeforeItShows) {
  sheet.m_pDatabase = nullptr;  // no window step: the sheet never reaches its modal loop
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(Refreshes(), (std::vector<int>{0, 0, 0}));
}

// The real sheet over a logged-in session on a fresh database.
class FTPSheetTest : public DatabaseTest {
protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvindel\\Veltrane Server"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetValue(Db().ConnectionString(), "ConnectionString"), ERROR_SUCCESS);
    ASSERT_EQ(session.Connect(0, "admin", "brelk"), 1);
  }
  void TearDown() override {
    session.Close();
    EXPECT_EQ(backend.Failure(), "");
    EXPECT_TRUE(steps.AllTaken());
    DatabaseTest::TearDown();
  }

  ConfigDatabase session;
  ModuleResourceScope module{AppletResources()};
  ScriptSteps steps;
  ScriptedBackend backend{steps};
  BackendScope use{backend};
};
INSTANTIATE_TEST_SUITE_P(SQLite, FTPSheetTest, ::testing::Values(Engine::SQLite));

TEST_P(FTPSheetTest, FourTabsOnGeneralWithOkAndCancelOnlyAndTheAboutPageLast) {
  CFTPSheet sheet("Veltrane Properties");
  sheet.AttachDatabase(&session);
  sheet.AttachDatabase(&session);  // a second call adds no pages
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Describe(), "sheet \"Veltrane Properties\"");
    ASSERT_EQ(w.PageCount(), 4);
    for (int page = 0; page < 4; ++page)
      EXPECT_EQ(w.PageCaption(page), (std::vector<std::string>{"General", "Virtual Servers", "Users", "About"})[page]);
    EXPECT_EQ(w.ActivePage(), 0);
    EXPECT_TRUE(w.Exists(IDOK) && w.Exists(IDCANCEL));
    EXPECT_FALSE(w.Exists(ID_APPLY_NOW));
    EXPECT_FALSE(w.Exists(IDHELP));
    for (int page : {1, 2, 3}) w.ActivatePage(page);
    // The banner's picture is found in the applet's resources.
    const auto& about = sheet.GetActivePage()->GetWindowState()->Controls();
    EXPECT_TRUE(std::any_of(about.begin(), about.end(), [](const auto& c) { return c->Bitmap() != nullptr; }));
    w.CloseSheet(true);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

}  // namespace
