#include <limits>

#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

using DataExchangeTest = ScriptedFixture;

TEST_F(DataExchangeTest, RefusedIntegerKeepsTheDialogOpenWithTheFocusOnTheField) {
  RecordDialog dlg;
  std::vector<int> focusAfterRefusal;
  steps
      .Window([&](ScriptedWindow& w) {
        w.SetText(10, "name");
        for (const char* bad : {"12a", "99999999999"}) {
          w.SetText(11, bad);
          w.Click(IDOK);
          ASSERT_FALSE(w.Ended());
          focusAfterRefusal.push_back(w.FocusId());
        }
        w.SetText(11, " -42 ");
        w.Click(IDOK);
      })
      .Message(IDOK)
      .Message(IDOK);

  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_count, -42);
  EXPECT_EQ(dlg.m_name, "name");
  EXPECT_EQ(focusAfterRefusal, (std::vector<int>{11, 11}));
  ASSERT_EQ(steps.Messages().size(), 2u);
  EXPECT_EQ(steps.Messages()[0].text, "Please enter an integer.");
  EXPECT_EQ(steps.Messages()[1].text, "Please enter an integer between -2147483648 and 2147483647.");
  EXPECT_EQ(steps.Messages()[0].style & MB_ICONMASK, MB_ICONEXCLAMATION);
}

TEST_F(DataExchangeTest, IntegerTextIsTakenOnlyWhenItIsAWhole32BitNumber) {
  struct Case {
    const char* text;
    bool taken;
    int value;
  };
  const Case cases[] = {
      {"7", true, 7},
      {"\t+5 ", true, 5},
      {"-0", true, 0},
      {"2147483647", true, std::numeric_limits<int>::max()},
      {"-2147483648", true, std::numeric_limits<int>::min()},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"", false, 0},
      {"  ", false, 0},
      {"-", false, 0},
      {"1 2", false, 0},
      {"- 5", false, 0},
      {"0x10", false, 0},
      {"5\xC2\xA0", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    RecordDialog dlg;
    dlg.m_count = 1234;
    steps.Window([&](ScriptedWindow& w) {
      w.SetText(11, c.text);
      w.Click(IDOK);
      if (!w.Ended()) w.Click(IDCANCEL);
    });
    if (!c.taken) steps.Message(IDOK);
    EXPECT_EQ(dlg.DoModal(), c.taken ? IDOK : IDCANCEL);
    EXPECT_EQ(dlg.m_count, c.taken ? c.value : 1234);
  }
}

TEST_F(DataExchangeTest, MembersReachTheControlsAndComeBackUnchanged) {
  RecordDialog dlg;
  dlg.m_name = "O'Brien \"quoted\" \xC3\xA9t\xC3\xA9 " + std::string(5000, 'x');
  dlg.m_count = -2147483647;
  dlg.m_digits = "0042";
  dlg.m_allow = BST_CHECKED;
  std::vector<std::string> shown;
  steps.Window([&](ScriptedWindow& w) {
    shown = {w.Text(10), w.Text(11), w.Text(12), w.Checked(14) ? "on" : "off"};
    w.Click(IDOK);
  });

  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(shown, (std::vector<std::string>{dlg.m_name, "-2147483647", "0042", "on"}));
  EXPECT_EQ(dlg.m_count, -2147483647);
  EXPECT_EQ(dlg.m_digits, "0042");
  EXPECT_EQ(dlg.m_allow, BST_CHECKED);
}

TEST_F(DataExchangeTest, CancelLeavesTheMembersAsTheyWere) {
  RecordDialog dlg;
  dlg.m_name = "before";
  steps.Window([](ScriptedWindow& w) {
    w.SetText(10, "after");
    w.SetCheck(14, true);
    w.Cancel();
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_name, "before");
  EXPECT_EQ(dlg.m_allow, 0);
}

}  // namespace
