#include <algorithm>

#include "framework/DataExchange.h"
#include "framework/PropertySheet.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

using Log = std::vector<std::string>;

// A page that logs every framework call it gets; the second page exchanges m_value with edit 30.
class LoggingPage : public CPropertyPage {
 public:
  LoggingPage(UINT idTemplate, std::string name, Log& log)
      : CPropertyPage(idTemplate), m_name(std::move(name)), m_log(log) {}

  int m_value = 7;

  BOOL OnInitDialog() override {
    Note("init");
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    Note("set");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    Note("kill");
    return CPropertyPage::OnKillActive();
  }
  void OnOK() override { Note("ok"); }
  void OnCancel() override { Note("cancel"); }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    if (GetTemplateId() == test_templates::kSecondPage) DDX_Text(pDX, 30, m_value);
  }

 private:
  void Note(const char* call) { m_log.push_back(std::string(call) + " " + m_name); }

  std::string m_name;
  Log& m_log;
};

class PropertySheetTest : public ScriptedFixture {
 protected:
  PropertySheetTest() {
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&first, &second, &third})
      sheet.AddPage(page);
  }

  Log log;
  CPropertySheet sheet{"Properties"};
  LoggingPage first{test_templates::kFirstPage, "first", log};
  LoggingPage second{test_templates::kSecondPage, "second", log};
  LoggingPage third{test_templates::kThirdPage, "third", log};
};

TEST_F(PropertySheetTest, PagesAreMadeWhenFirstShownAndOkRunsTheOnOkOfEachMadePage) {
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.PageCaption(2), "Third");
    EXPECT_EQ(w.ActivePage(), 0);
    w.ActivatePage(2);
    w.ActivatePage(0);
    w.CloseSheet(true);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(log, (Log{"init first", "set first", "kill first", "init third", "set third", "kill third",
                      "set first", "kill first", "ok first", "ok third"}));
  EXPECT_FALSE(third.IsWindowCreated());
}

TEST_F(PropertySheetTest, CancelRunsTheOnCancelOfEachMadePageAndTakesNoValue) {
  steps.Window([](ScriptedWindow& w) {
    w.ActivatePage(1);
    w.SetText(30, "not a number");
    w.CloseSheet(false);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(log, (Log{"init first", "set first", "kill first", "init second", "set second", "cancel first",
                      "cancel second"}));
  EXPECT_EQ(second.m_value, 7);
}

TEST_F(PropertySheetTest, APageTakesItsValueWhenLeftAndShowsItsMembersAfreshWhenShownAgain) {
  steps.Window([&](ScriptedWindow& w) {
    w.ActivatePage(1);
    w.SetText(30, "8");
    w.ActivatePage(0);
    EXPECT_EQ(second.m_value, 8);
    second.m_value = 9;
    w.ActivatePage(1);
    EXPECT_EQ(w.Text(30), "9");
    w.CloseSheet(true);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(PropertySheetTest, ARefusedValueKeepsItsPageAndTheSheetOpenUntilCorrected) {
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

}  // namespace
