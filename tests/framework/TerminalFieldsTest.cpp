// Keys in each kind of terminal field: what reaches the control, which notification is sent,
// and what is drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Control.h"
#include "framework/terminal/ComboField.h"
#include "framework/terminal/EditField.h"
#include "framework/terminal/ListField.h"
#include "framework/terminal/SimpleFields.h"
#include "tests/framework/TerminalGrid.h"

namespace {

using res::ControlKind;
constexpr uint32_t kTab = res::WS_TABSTOP;

struct Notified {
  std::vector<UINT> codes;
  Field::Notify Sink() {
    return [this](UINT code) { codes.push_back(code); };
  }
};

template <class F>
std::string Drawn(const F& field, bool focused = true) {
  TerminalGrid grid(3, 40);
  field.Draw(grid, focused);
  return grid.Line(field.Cell().row);
}

void Fill(Control& control, int count) {
  for (int i = 0; i < count; ++i) control.InsertRow(i, "row " + std::to_string(i));
}

}  // namespace

TEST(TerminalEdit, TypesUtf8EditsAtTheCaretAndScrollsALongText) {
  Control control(1, ControlKind::Edit, kTab, "ab");
  Notified notified;
  EditField edit(control, notified.Sink());
  edit.SetCell({0, 0, 1, 8});
  EXPECT_EQ(Drawn(edit), "ab______" + std::string(32, ' '));
  edit.HandleKey(Key::Of(Key::Code::Home));
  edit.HandleKey(Key::Char(U'é'));
  edit.HandleKey(Key::Of(Key::Code::End));
  edit.HandleKey(Key::Char(U'日'));
  EXPECT_EQ(control.Text(), "éab日");
  edit.HandleKey(Key::Of(Key::Code::Backspace));
  edit.HandleKey(Key::Of(Key::Code::Home));
  edit.HandleKey(Key::Of(Key::Code::Delete));
  EXPECT_EQ(control.Text(), "ab");
  edit.HandleKey(Key::Of(Key::Code::End));
  for (char ch : std::string("cdefghijkl")) edit.HandleKey(Key::Char(static_cast<char32_t>(ch)));
  EXPECT_EQ(Drawn(edit).substr(0, 8), "fghijkl_") << "the caret's end of a long text is in view";
  EXPECT_TRUE(notified.codes.empty()) << "an edit sends nothing as it is typed into";
  control.SetText("set by the program");
  EXPECT_EQ(Drawn(edit, false).substr(0, 8), "set by t") << "without the focus a text shows from its start";
}

TEST(TerminalEdit, PasswordsShowStarsReadOnlyAndDigitsOnlyRefuseWhatTheyMust) {
  Control password(1, ControlKind::Edit, kTab | res::ES_PASSWORD, "");
  EditField passwordField(password, nullptr);
  passwordField.SetCell({0, 0, 1, 8});
  for (char32_t ch : std::u32string(U"brélk")) passwordField.HandleKey(Key::Char(ch));
  EXPECT_EQ(password.Text(), "brélk");
  EXPECT_EQ(Drawn(passwordField).substr(0, 8), "*****___");

  Control readOnly(2, ControlKind::Edit, kTab | res::ES_READONLY, "fixed");
  EditField readOnlyField(readOnly, nullptr);
  readOnlyField.HandleKey(Key::Char(U'x'));
  readOnlyField.HandleKey(Key::Of(Key::Code::Backspace));
  EXPECT_EQ(readOnly.Text(), "fixed");
  EXPECT_FALSE(readOnlyField.TakesFocus());

  Control digits(3, ControlKind::Edit, kTab | res::ES_NUMBER, "");
  EditField digitsField(digits, nullptr);
  for (char32_t ch : std::u32string(U"1a-2")) digitsField.HandleKey(Key::Char(ch));
  EXPECT_EQ(digits.Text(), "12");
  EXPECT_FALSE(digitsField.HandleKey(Key::Of(Key::Code::Enter))) << "Enter is left to the window";
}

TEST(TerminalButtons, SpaceAndEnterPressAButtonSpaceTogglesACheckBox) {
  Control button(1, ControlKind::Button, kTab | res::BS_DEFPUSHBUTTON, "&OK");
  Notified pressed;
  ButtonField buttonField(button, pressed.Sink());
  buttonField.SetCell({0, 0, 1, 12});
  EXPECT_EQ(Drawn(buttonField, false).substr(0, 12), "   < OK >   ");
  EXPECT_TRUE(buttonField.HandleKey(Key::Char(U' ')));
  EXPECT_TRUE(buttonField.HandleKey(Key::Of(Key::Code::Enter)));
  EXPECT_EQ(pressed.codes, (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
  button.SetEnabled(false);
  buttonField.HandleKey(Key::Char(U' '));
  EXPECT_EQ(pressed.codes.size(), 2u) << "a disabled button sends nothing";

  Control check(2, ControlKind::Button, kTab | res::BS_AUTOCHECKBOX, "Allow");
  Notified toggled;
  CheckField checkField(check, toggled.Sink());
  checkField.SetCell({0, 0, 1, 12});
  checkField.HandleKey(Key::Char(U' '));
  EXPECT_EQ(check.Check(), BST_CHECKED);
  EXPECT_EQ(Drawn(checkField).substr(0, 9), "[x] Allow");
  EXPECT_FALSE(checkField.HandleKey(Key::Of(Key::Code::Enter))) << "Enter presses the default button instead";
  EXPECT_EQ(toggled.codes, std::vector<UINT>{BN_CLICKED});
}

TEST(TerminalButtons, AccessLettersAreMarkedWhereTheyAreShown) {
  Control label(-1, ControlKind::Static, 0, "FTP &Port:");
  LabelField labelField(label, nullptr);
  labelField.SetCell({1, 2, 1, 12});
  Control apply(2, ControlKind::Button, kTab, "&Apply");
  ButtonField applyField(apply, nullptr);
  applyField.SetCell({0, 20, 1, 10});
  TerminalGrid grid(3, 40);
  labelField.Draw(grid, false);
  applyField.Draw(grid, false);
  EXPECT_EQ(grid.Line(1).substr(2, 9), "FTP Port:");
  EXPECT_EQ(grid.Line(0).substr(20, 9), "[ Apply ]");
  EXPECT_EQ(grid.accessCells, (std::vector<std::pair<int, int>>{{1, 6}, {0, 22}}));
}

TEST(TerminalCombo, ArrowsAndLettersChooseAtOnceTheOpenListChoosesOnEnterOnly) {
  Control combo(1, ControlKind::ComboBox, kTab, "");
  for (const char* entry : {"(local)", "alpha", "beta", "Bravo"}) combo.InsertRow(combo.RowCount(), entry);
  combo.SetSelection(0);
  Notified changed;
  ComboField field(combo, changed.Sink());
  field.SetCell({0, 0, 1, 10});
  field.HandleKey(Key::Of(Key::Code::Down));
  EXPECT_EQ(combo.Selection(), 1);
  field.HandleKey(Key::Char(U'b'));
  field.HandleKey(Key::Char(U'r'));
  EXPECT_EQ(combo.Selection(), 3) << "typed letters find the entry that starts with them";
  EXPECT_EQ(changed.codes.size(), 3u);

  EXPECT_FALSE(field.HandleKey(Key{Key::Code::Function, 0, false, 4})) << "function keys are the sheet's";
  field.HandleKey(Key::Char(U' '));
  ASSERT_TRUE(field.IsOpen());
  field.HandleKey(Key::Of(Key::Code::Home));
  EXPECT_TRUE(field.HandleKey(Key::Of(Key::Code::Escape)));
  EXPECT_EQ(combo.Selection(), 3) << "Escape closes the list without a change";
  field.HandleKey(Key::Char(U' '));
  field.HandleKey(Key::Of(Key::Code::Up));
  field.HandleKey(Key::Of(Key::Code::Enter));
  EXPECT_FALSE(field.IsOpen());
  EXPECT_EQ(combo.Selection(), 2);
  EXPECT_EQ(changed.codes, std::vector<UINT>(4, CBN_SELCHANGE));
}

TEST(TerminalList, AHundredThousandRowsDrawOnlyWhatIsInViewAndKeepTheSelectionThere) {
  Control list(1, ControlKind::ListView, kTab, "");
  list.InsertColumn(0, {"Name", 60});
  list.InsertColumn(1, {"Home", 60});
  Fill(list, 100000);
  ListField field(list, nullptr);
  field.SetCell({0, 0, 11, 40});  // a header and ten rows
  TerminalGrid grid(12, 40);
  field.Draw(grid, true);
  EXPECT_LE(grid.TextCalls(), 2 + 10 * 2) << "the header and the visible rows' cells, nothing more";

  field.HandleKey(Key::Of(Key::Code::End));
  EXPECT_EQ(list.Selection(), 99999);
  field.Draw(grid, true);
  EXPECT_EQ(field.TopRow(), 99990);
  EXPECT_EQ(grid.Line(10).substr(0, 9), "row 99999");
  field.HandleKey(Key::Of(Key::Code::PageUp));
  EXPECT_EQ(list.Selection(), 99989);
  field.HandleKey(Key::Of(Key::Code::Home));
  field.Draw(grid, true);
  field.HandleKey(Key::Of(Key::Code::PageDown));
  EXPECT_EQ(list.Selection(), 10);
  field.Draw(grid, true);
  EXPECT_EQ(field.TopRow(), 1);
  field.HandleKey(Key::Char(U'x'));
  EXPECT_EQ(list.Selection(), 10) << "a letter no row starts with leaves the selection";
}

// The filter shows as it is typed and becomes the list's at a pause in the typing (the
// backend settles it when due) or at Enter; Esc drops what was typed and clears it.
TEST(TerminalList, AFilterShowsAsTypedAndBecomesTheListsAtAPauseOrAtEnter) {
  Control list(1, ControlKind::ListView, kTab, "");
  list.InsertColumn(0, {"Name", 60});
  Fill(list, 3);
  Notified changed;
  ListField field(list, changed.Sink());
  field.SetCell({0, 0, 3, 40});
  for (char32_t ch : std::u32string(U"/ab")) field.HandleKey(Key::Char(ch));
  EXPECT_NE(Drawn(field).find("/ab_"), std::string::npos) << Drawn(field);
  EXPECT_EQ(list.FilterText(), "");
  ASSERT_TRUE(field.Due());
  field.Settle();
  EXPECT_EQ(list.FilterText(), "ab");
  field.HandleKey(Key::Char(U'c'));
  field.HandleKey(Key::Of(Key::Code::Enter));
  EXPECT_EQ(list.FilterText(), "abc");
  EXPECT_FALSE(field.Due());
  for (char32_t ch : std::u32string(U"/x")) field.HandleKey(Key::Char(ch));
  field.HandleKey(Key::Of(Key::Code::Escape));
  EXPECT_EQ(list.FilterText(), "");
  // A paste longer than a stored text keeps as many characters as one holds.
  field.HandleKey(Key::Char(U'/'));
  field.HandleKey(Key::Pasted(std::u32string(300, U'\u00e9')));
  field.HandleKey(Key::Of(Key::Code::Enter));
  EXPECT_EQ(list.FilterText().size(), 2 * Control::kMaxFilterCharacters);
  EXPECT_EQ(changed.codes, std::vector<UINT>(4, LVN_FILTERCHANGED));
}
