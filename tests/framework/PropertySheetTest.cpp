#include "framework/PropertySheet.h"
#include "tests/framework/ScriptedFixture.h"
#include "tests/framework/TestPage.h"

namespace {

using Log = std::vector<std::string>;

class PropertySheetTest : public ScriptedFixture {
 protected:
  PropertySheetTest() {
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&first, &second, &third})
      sheet.AddPage(page);
  }

  Log log;
  CPropertySheet sheet{"Properties"};
  TestPage first{test_templates::kFirstPage, "first", &log};
  TestPage second{test_templates::kSecondPage, "second", &log};
  TestPage third{test_templates::kThirdPage, "third", &log};
};

// Pages are made when first shown; a page takes its value when left and shows its members
// afresh when shown again; a refused value keeps its page and the sheet open until corrected;
// OK takes the shown page's value and runs the OnOK of each page made (the third never is).
TEST_F(PropertySheetTest, PagesAreMadeWhenShownAndTakeTheirValuesWhenLeftOrAtOk) {
  steps
      .Window([&](ScriptedWindow& w) {
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
}

// A value not yet valid does not hold up Cancel, which runs no page's OnOK.
TEST_F(PropertySheetTest, CancelRunsTheOnCancelOfEachMadePage) {
  steps.Window([](ScriptedWindow& w) {
    w.ActivatePage(1);
    w.SetText(30, "not a number");
    w.CloseSheet(false);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(log, (Log{"init first", "set first", "kill first", "init second", "set second", "cancel first",
                      "cancel second"}));
}

}  // namespace
