#include <limits>

#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

using DataExchangeTest = ScriptedFixture;

// A refusal shows its message, keeps the dialog open with the focus on the field and leaves the member.
TEST_F(DataExchangeTest, IntegerTextIsTakenOnlyWhenItIsAWhole32BitNumber) {
  const char* const notAnInteger = "Please enter an integer.";
  const char* const outOfRange = "Please enter an integer between -2147483648 and 2147483647.";
  const struct {
    const char* text;
    int value;
    const char* refusal;  // none: taken
  } cases[] = {
      {"\t+5 ", 5, nullptr},
      {"\r\n7\n", 7, nullptr},
      {"2147483647", std::numeric_limits<int>::max(), nullptr},
      {"-2147483648", std::numeric_limits<int>::min(), nullptr},
      {"12a", 0, notAnInteger},
      {"2147483648", 0, outOfRange},
      {"-2147483649", 0, outOfRange},
      {"  ", 0, notAnInteger},
      {"-", 0, notAnInteger},
      {"1 2", 0, notAnInteger},
      {"0x10", 0, notAnInteger},
      {"5\xC2\xA0", 0, notAnInteger},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    RecordDialog dlg;
    dlg.m_count = 1234;
    steps.Window([&](ScriptedWindow& w) {
      w.SetText(11, c.text);
      w.Click(IDOK);
      if (w.Ended()) return;
      EXPECT_EQ(w.FocusId(), 11);
      w.Click(IDCANCEL);
    });
    if (c.refusal) steps.Message(IDOK);
    EXPECT_EQ(dlg.DoModal(), c.refusal ? IDCANCEL : IDOK);
    EXPECT_EQ(dlg.m_count, c.refusal ? 1234 : c.value);
    if (!c.refusal) continue;
    EXPECT_EQ(steps.Messages().back().text, c.refusal);
    EXPECT_EQ(steps.Messages().back().style & MB_ICONMASK, MB_ICONEXCLAMATION);
  }
}

TEST_F(DataExchangeTest, MembersReachTheControlsAndComeBackUnchanged) {
  const std::string name = "O'Brien \"quoted\" \xC3\xA9t\xC3\xA9 " + std::string(5000, 'x');
  RecordDialog dlg;
  dlg.m_name = name;
  dlg.m_count = -2147483647;
  dlg.m_digits = "0042";
  dlg.m_allow = BST_CHECKED;
  steps.Window([&](ScriptedWindow& w) {
    EXPECT_EQ(w.Text(10), name);
    EXPECT_EQ(w.Text(11), "-2147483647");
    EXPECT_EQ(w.Text(12), "0042");
    EXPECT_TRUE(w.Checked(14));
    w.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_name, name);
  EXPECT_EQ(dlg.m_count, -2147483647);
  EXPECT_EQ(dlg.m_digits, "0042");
  EXPECT_EQ(dlg.m_allow, BST_CHECKED);
}

}  // namespace
