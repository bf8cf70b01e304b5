#include <algorithm>

#include "framework/DataExchange.h"
#include "framework/PropertySheet.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

using Log = std::vector<std::string>;

// A page that logs every framework call it gets.
class LoggingPage : public CPropertyPage {
public:
  LoggingPage(UINT idTemplate, std::string name, Log& log)
      : CPropertyPage(idTemplate), m_name(std::move(name)), m_log(log) {}

  bool m_endSheetOnInit = false;

  BOOL OnInitDialog() override {
    m_log.push_back("init " + m_name);
    if (m_endSheetOnInit) {
      EndDialog(IDCANCEL);
      return FALSE;
    }
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    m_log.push_back("set " + m_name);
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    m_log.push_back("kill " + m_name);
    return CPropertyPage::OnKillActive();
  }
  void OnOK() override { m_log.push_back("ok " + m_name); }
  void OnCancel() override { m_log.push_back("cancel " + m_name); }

private:
  std::string m_name;
  Log& m_log;
};

// The second page exchanges an integer with edit 30.
class NumberPage : public LoggingPage {
public:
  explicit NumberPage(Log& log) : LoggingPage(test_templates::kSecondPage, "second", log) {}
  int m_value = 7;

protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 30, m_value); }
};

class PropertySheetTest : public ScriptedFixture {
protected:
  PropertySheetTest() {
    for (CPropertyPage* page : {static_cast<CPropertyPage*>(&first), static_cast<CPropertyPage*>(&second),
                                static_cast<CPropertyPage*>(&third)})
      sheet.AddPage(page);
  }

  Log log;
  CPropertySheet sheet{"Properties"};
  LoggingPage first{test_templates::kFirstPage, "first", log};
  NumberPage second{log};
  LoggingPage third{test_templates::kThirdPage, "third", log};
};

TEST_F(PropertySheetTest, PagesAreMadeWhenFirstShownAndOkRunsEachMadePagesOnOk) {
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Describe(), "sheet \"Properties\"");
    EXPECT_EQ(w.PageCount(), 3);
    EXPECT_EQ(w.PageCaption(2), "Third");
    EXPECT_EQ(w.ActivePage(), 0);
    EXPECT_FALSE(second.IsWindowCreated());
    w.ActivatePage(2);
    w.ActivatePage(0);
    w.CloseSheet(true);
  });

  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(log, (Log{"init first", "set first", "kill first", "init third", "set third", "kill third",
                      "set first", "kill first", "ok first", "ok third"}));
  EXPECT_FALSE(first.IsWindowCreated());
  EXPECT_FALSE(third.IsWindowCreated());
}

TEST_F(PropertySheetTest, CancelEndsWithIdcancelWithoutAskingTheActivePage) {
  CPropertySheet onSecond("Properties", nullptr, 1);
  onSecond.AddPage(&first);
  onSecond.AddPage(&second);
  steps.Window([](ScriptedWindow& w) {
    EXPECT_EQ(w.ActivePage(), 1);
    w.SetText(30, "not a number");
    w.CloseSheet(false);
  });
  EXPECT_EQ(onSecond.DoModal(), IDCANCEL);
  EXPECT_EQ(log, (Log{"init second", "set second", "cancel second"}));
}

TEST_F(PropertySheetTest, APageWithARefusedValueKeepsTheSheetOnItUntilCorrected) {
  steps
      .Window([&](ScriptedWindow& w) {
        w.ActivatePage(1);
        w.SetText(30, "abc");
        w.ActivatePage(2);
        EXPECT_EQ(w.ActivePage(), 1);
        EXPECT_EQ(w.FocusId(), 30);
        w.CloseSheet(true);
        EXPECT_FALSE(w.Ended());
        w.SetText(30, "12");
        w.CloseSheet(true);
      })
      .Message(IDOK)
      .Message(IDOK);
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(second.m_value, 12);
  EXPECT_EQ(std::count(log.begin(), log.end(), "init third"), 0);
}

TEST_F(PropertySheetTest, ActivatingAPageAgainShowsItsMembersAfresh) {
  steps.Window([&](ScriptedWindow& w) {
    w.ActivatePage(1);
    EXPECT_EQ(w.Text(30), "7");
    w.SetText(30, "8");
    w.ActivatePage(0);
    EXPECT_EQ(second.m_value, 8);
    second.m_value = 9;
    w.ActivatePage(1);
    EXPECT_EQ(w.Text(30), "9");
    w.CloseSheet(false);
  });
  sheet.DoModal();
}

TEST_F(PropertySheetTest, HeaderFlagsDecideTheButtons) {
  bool applyShown = false, applyEnabled = true, helpShown = true;
  steps
      .Window([&](ScriptedWindow& w) {
        applyShown = w.Exists(ID_APPLY_NOW);
        applyEnabled = w.Enabled(ID_APPLY_NOW);
        helpShown = w.Exists(IDHELP);
        w.CloseSheet(false);
      })
      .Window([](ScriptedWindow& w) {
        EXPECT_TRUE(w.Exists(IDOK) && w.Exists(IDCANCEL));
        EXPECT_FALSE(w.Exists(ID_APPLY_NOW) || w.Exists(IDHELP));
        w.CloseSheet(true);
      });
  sheet.DoModal();
  EXPECT_TRUE(applyShown);
  EXPECT_FALSE(applyEnabled);
  EXPECT_FALSE(helpShown);

  sheet.m_psh.dwFlags = (sheet.m_psh.dwFlags & ~PSH_HASHELP) | PSH_NOAPPLYNOW;
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(PropertySheetTest, APageCanEndItsSheetWhileItIsBeingMade) {
  first.m_endSheetOnInit = true;
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);  // no window step: the loop never runs
  EXPECT_EQ(log, (Log{"init first", "set first"}));
  EXPECT_FALSE(first.IsWindowCreated());
}

TEST_F(PropertySheetTest, ReopenedSheetMakesItsPagesAgain) {
  steps.Window([](ScriptedWindow& w) { w.CloseSheet(false); }).Window([](ScriptedWindow& w) {
    w.CloseSheet(true);
  });
  sheet.DoModal();
  log.clear();
  sheet.DoModal();
  EXPECT_EQ(log, (Log{"init first", "set first", "kill first", "ok first"}));
}

}  // namespace
