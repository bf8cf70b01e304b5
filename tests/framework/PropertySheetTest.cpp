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

  BOOL OnInitDialog() override { return Noted("init", CPropertyPage::OnInitDialog()); }
  BOOL OnSetActive() override { return Noted("set", CPropertyPage::OnSetActive()); }
  BOOL OnKillActive() override { return Noted("kill", CPropertyPage::OnKillActive()); }
  void OnOK() override { Noted("ok"); }
  void OnCancel() override { Noted("cancel"); }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    if (GetTemplateId() == test_templates::kSecondPage) DDX_Text(pDX, 30, m_value);
  }

 private:
  // Logs the call and passes on what the base class answered to it.
  BOOL Noted(const char* call, BOOL answer = TRUE) {
    m_log.push_back(std::string(call) + " " + m_name);
    return answer;
  }

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

// Pages are made when first shown; a page takes its value when left and shows its members
// afresh when shown again; a refused value keeps its page and the sheet open until corrected;
// OK takes the shown page's value and runs the OnOK of each page made (the third never is).
TEST_F(PropertySheetTest, PagesAreMadeWhenShownAndTakeTheirValuesWhenLeftOrAtOk) {
  steps
      .Window([&](ScriptedWindow& w) {
        EXPECT_EQ(w.PageCaption(2), "Third");
        EXPECT_EQ(w.ActivePage(), 0);
        w.ActivatePage(1);
        w.SetText(30, "8");
        w.ActivatePage(0);
        EXPECT_EQ(second.m_value, 8);
        second.m_value = 9;
        w.ActivatePage(1);
        EXPECT_EQ(w.Text(30), "9");
        w.SetText(30, "abc");
        w.ActivatePage(0);
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
  EXPECT_EQ(log, (Log{"init first", "set first", "kill first", "init second", "set second", "kill second",
                      "set first", "kill first", "set second", "kill second", "kill second", "kill second",
                      "ok first", "ok second"}));
  EXPECT_FALSE(second.IsWindowCreated());
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

}  // namespace
