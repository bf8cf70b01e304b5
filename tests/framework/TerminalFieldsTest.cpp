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
using Code = Key::Code;

// A tab-stop control of one kind and its field, `cols` wide on the first row, with the
// notifications the field sent.
template <class F>
struct Tested {
  Tested(ControlKind kind, uint32_t style, std::string text, CellRect cell = {0, 0, 1, 8})
      : control(1, kind, res::WS_TABSTOP | style, std::move(text)),
        field(control, [this](UINT code) { codes.push_back(code); }) {
    field.SetCell(cell);
  }
  std::string Drawn(bool focused = true) const {
    TerminalGrid grid(3, 40);
    field.Draw(grid, focused);
    return grid.Line(field.Cell().row);
  }

  Control control;
  std::vector<UINT> codes;
  F field;
};

}  // namespace

TEST(TerminalEdit, TypesUtf8EditsAtTheCaretAndScrollsALongText) {
  Tested<EditField> edit(ControlKind::Edit, 0, "ab");
  EXPECT_EQ(edit.Drawn(), "ab______" + std::string(32, ' '));
  Press(edit.field, {Code::Home, U'é', Code::End, U'日'});
  EXPECT_EQ(edit.control.Text(), "éab日");
  Press(edit.field, {Code::Backspace, Code::Home, Code::Delete});
  EXPECT_EQ(edit.control.Text(), "ab");
  Press(edit.field, {Code::End, U"cdefghijkl"});
  EXPECT_EQ(edit.Drawn().substr(0, 8), "fghijkl_") << "the caret's end of a long text is in view";
  edit.control.SetText("set by the program");
  EXPECT_EQ(edit.Drawn(false).substr(0, 8), "set by t") << "without the focus a text shows from its start";
}

TEST(TerminalEdit, PasswordsShowStarsReadOnlyAndDigitsOnlyRefuseWhatTheyMust) {
  Tested<EditField> password(ControlKind::Edit, res::ES_PASSWORD, "");
  Press(password.field, {U"brélk"});
  EXPECT_EQ(password.control.Text(), "brélk");
  EXPECT_EQ(password.Drawn().substr(0, 8), "*****___");

  Tested<EditField> readOnly(ControlKind::Edit, res::ES_READONLY, "fixed");
  Press(readOnly.field, {U'x', Code::Backspace});
  EXPECT_EQ(readOnly.control.Text(), "fixed");

  Tested<EditField> digits(ControlKind::Edit, res::ES_NUMBER, "");
  Press(digits.field, {U"1a-2"});
  EXPECT_EQ(digits.control.Text(), "12");
}

TEST(TerminalButtons, SpaceAndEnterPressAnEnabledButton) {
  Tested<ButtonField> button(ControlKind::Button, res::BS_DEFPUSHBUTTON, "&OK", {0, 0, 1, 12});
  EXPECT_EQ(button.Drawn(false).substr(0, 12), "   < OK >   ");
  EXPECT_TRUE(button.field.HandleKey(Key::Char(U' ')));
  EXPECT_TRUE(button.field.HandleKey(Key::Of(Code::Enter)));
  EXPECT_EQ(button.codes, (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
  button.control.SetEnabled(false);
  Press(button.field, {U' '});
  EXPECT_EQ(button.codes.size(), 2u) << "a disabled button sends nothing";
}

TEST(TerminalButtons, AccessLettersAreMarkedWhereTheyAreShown) {
  Tested<LabelField> label(ControlKind::Static, 0, "FTP &Port:", {1, 2, 1, 12});
  Tested<ButtonField> apply(ControlKind::Button, 0, "&Apply", {0, 20, 1, 10});
  TerminalGrid grid(3, 40);
  label.field.Draw(grid, false);
  apply.field.Draw(grid, false);
  EXPECT_EQ(grid.Line(1).substr(2, 9), "FTP Port:");
  EXPECT_EQ(grid.Line(0).substr(20, 9), "[ Apply ]");
  EXPECT_EQ(grid.accessCells, (std::vector<std::pair<int, int>>{{1, 6}, {0, 22}}));
}

TEST(TerminalCombo, ArrowsAndLettersChooseAtOnceTheOpenListChoosesOnEnterOnly) {
  Tested<ComboField> combo(ControlKind::ComboBox, 0, "", {0, 0, 1, 10});
  for (const char* entry : {"(local)", "alpha", "beta", "Bravo"})
    combo.control.InsertRow(combo.control.RowCount(), entry);
  combo.control.SetSelection(0);
  Press(combo.field, {Code::Down});
  EXPECT_EQ(combo.control.Selection(), 1);
  Press(combo.field, {U"br"});
  EXPECT_EQ(combo.control.Selection(), 3) << "typed letters find the entry that starts with them";

  EXPECT_FALSE(combo.field.HandleKey(Key{Code::Function, 0, false, 4})) << "function keys are the sheet's";
  Press(combo.field, {U' '});
  ASSERT_TRUE(combo.field.IsOpen());
  Press(combo.field, {Code::Home});
  EXPECT_TRUE(combo.field.HandleKey(Key::Of(Code::Escape)));
  EXPECT_EQ(combo.control.Selection(), 3) << "Escape closes the list without a change";
  Press(combo.field, {U' ', Code::Up, Code::Enter});
  EXPECT_FALSE(combo.field.IsOpen());
  EXPECT_EQ(combo.control.Selection(), 2);
  EXPECT_EQ(combo.codes, std::vector<UINT>(4, CBN_SELCHANGE));
}

TEST(TerminalList, AHundredThousandRowsDrawOnlyWhatIsInViewAndKeepTheSelectionThere) {
  Tested<ListField> list(ControlKind::ListView, 0, "", {0, 0, 11, 40});  // a header and ten rows
  list.control.InsertColumn(0, {"Name", 60});
  list.control.InsertColumn(1, {"Home", 60});
  for (int i = 0; i < 100000; ++i) list.control.InsertRow(i, "row " + std::to_string(i));
  TerminalGrid grid(12, 40);
  list.field.Draw(grid, true);
  EXPECT_LE(grid.TextCalls(), 2 + 10 * 2) << "the header and the visible rows' cells, nothing more";

  Press(list.field, {Code::End});
  EXPECT_EQ(list.control.Selection(), 99999);
  list.field.Draw(grid, true);
  EXPECT_EQ(grid.Line(10).substr(0, 9), "row 99999");
  Press(list.field, {Code::PageUp});
  EXPECT_EQ(list.control.Selection(), 99989);
  Press(list.field, {Code::Home});
  list.field.Draw(grid, true);
  Press(list.field, {Code::PageDown});
  EXPECT_EQ(list.control.Selection(), 10);
  list.field.Draw(grid, true);
  EXPECT_EQ(list.field.TopRow(), 1);
  Press(list.field, {U'x'});
  EXPECT_EQ(list.control.Selection(), 10) << "a letter no row starts with leaves the selection";
}

// The filter shows as it is typed and becomes the list's at a pause in the typing (the
// backend settles it when due) or at Enter; Esc drops what was typed and clears it.
TEST(TerminalList, AFilterShowsAsTypedAndBecomesTheListsAtAPauseOrAtEnter) {
  Tested<ListField> list(ControlKind::ListView, 0, "", {0, 0, 3, 40});
  list.control.InsertColumn(0, {"Name", 60});
  for (int i = 0; i < 3; ++i) list.control.InsertRow(i, "row " + std::to_string(i));
  Press(list.field, {U"/ab"});
  EXPECT_NE(list.Drawn().find("/ab_"), std::string::npos) << list.Drawn();
  EXPECT_EQ(list.control.FilterText(), "");
  ASSERT_TRUE(list.field.Due());
  list.field.Settle();
  EXPECT_EQ(list.control.FilterText(), "ab");
  Press(list.field, {U'c', Code::Enter});
  EXPECT_EQ(list.control.FilterText(), "abc");
  EXPECT_FALSE(list.field.Due());
  Press(list.field, {U"/x", Code::Escape});
  EXPECT_EQ(list.control.FilterText(), "");
  // A paste longer than a stored text keeps as many characters as one holds.
  Press(list.field, {U'/', Key::Pasted(std::u32string(300, U'\u00e9')), Code::Enter});
  EXPECT_EQ(list.control.FilterText().size(), 2 * Control::kMaxFilterCharacters);
  EXPECT_EQ(list.codes, std::vector<UINT>(4, LVN_FILTERCHANGED));
}
