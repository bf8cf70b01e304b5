// The terminal backend running real dialogs, sheets and message boxes from keys, on a grid
// of characters: the keys a user presses reach the window's logic as they would on screen.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/Backend.h"
#include "framework/FolderBrowser.h"
#include "framework/PropertySheet.h"
#include "framework/terminal/CellLayout.h"
#include "framework/terminal/TerminalBackend.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/TestPage.h"
#include "tests/framework/TerminalGrid.h"

namespace {

using Code = Key::Code;
using ::testing::HasSubstr;

class TerminalBackendTest : public ::testing::Test {
 protected:
  TerminalGrid grid{24, 80};
  TerminalBackend backend{grid};
  BackendScope use{backend};
  ModuleResourceScope module{test_templates::Module()};
  RecordDialog dialog;
};

}  // namespace

TEST_F(TerminalBackendTest, TypingTabbingAndEnterFillTheDialogAndPressItsDefaultButton) {
  grid.Press({U"Zoë", Code::Tab, U"42", Code::BackTab, Code::End, U"!"});  // the first tab stop has the focus
  grid.Press({Code::Tab, Code::Tab, Code::Tab, U' ', Code::Enter});  // the read-only field is passed over
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_name, "Zoë!");
  EXPECT_EQ(dialog.m_count, 42);
  EXPECT_EQ(dialog.m_allow, BST_CHECKED);
  EXPECT_EQ(dialog.m_log, std::vector<std::string>{"allow 1"});
}

TEST_F(TerminalBackendTest, MnemonicsEscapeAndMessageBoxesAnswerFromTheKeyboard) {
  int answer = 0;
  dialog.m_onAdd = [&](RecordDialog& d) {
    answer = d.MessageBox("Add it?", "Question", MB_YESNO | MB_ICONQUESTION);
  };
  grid.Press({Code::Tab, Key::Char(U'n', true), U'x'});  // Alt-N: "&Name:" puts the focus on the name field
  // Round the end, past "Off", to "Add"; its message box's No, then the dialog's Cancel.
  grid.Press({Code::BackTab, Code::BackTab, Code::BackTab, Code::Enter, U'n', Code::Escape});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.m_log, std::vector<std::string>{"add"});
  EXPECT_EQ(answer, IDNO);
  EXPECT_TRUE(dialog.m_name.empty()) << "Cancel keeps what was typed out of the members";
}

// Controls whose texts mark no access letter get one ("Add": d, as the check box "Allow" has
// a; "OK": k, as "Off" has o); a paste is text for the focused field and never presses the
// focused button; the help line names the focused field's keys and the window's.
TEST_F(TerminalBackendTest, ChosenAccessLettersPastedTextAndTheHelpLineServeTheKeyboard) {
  grid.Press({Key::Pasted(U"ab"), Key::Char(U'd', true), Key::Pasted(U" "), Key::Char(U'k', true)});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_name, "ab");
  EXPECT_EQ(dialog.m_log, std::vector<std::string>{"add"});
  EXPECT_THAT(grid.shownBeforeKeys.front(), HasSubstr("Tab next  Enter OK  Esc cancel"));
  EXPECT_THAT(grid.shownBeforeKeys.back(), HasSubstr("Space press  Tab next"));
}

TEST_F(TerminalBackendTest, AClickFocusesAndActsOnTheFieldUnderTheMouse) {
  const CellLayout layout =
      CellLayout::Of(*test_templates::Module().FindDialogTemplate(test_templates::kRecord), 22);
  const CellSize corner = Centred({layout.rows + 2, layout.cols + 2}, grid.Size());
  const auto clickOn = [&](size_t control, int rowInside = 0) {
    const CellRect& cell = layout.cells[control];
    grid.Press(
        {Key{Code::Click, 0, false, 0, corner.rows + 1 + cell.row + rowInside, corner.cols + 1 + cell.col}});
  };
  dialog.m_onInit = [](RecordDialog& d) {
    for (const char* name : {"first", "second"}) d.m_list.InsertItem(d.m_list.GetItemCount(), name);
  };
  int selected = -1;
  dialog.m_onAdd = [&](RecordDialog& d) { selected = d.m_list.GetNextItem(-1, LVNI_SELECTED); };
  clickOn(5);     // the check box
  clickOn(7, 2);  // the list's second row, below its header
  clickOn(9);     // the disabled button: nothing
  clickOn(8);     // Add
  clickOn(10);    // OK
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(dialog.m_allow, BST_CHECKED);
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(dialog.m_log, (std::vector<std::string>{"allow 1", "add"}));
}

TEST_F(TerminalBackendTest, SheetTabsChangeWithFunctionKeysAndEnterPressesOk) {
  CPropertySheet sheet("Properties");
  TestPage first(test_templates::kFirstPage), second(test_templates::kSecondPage),
      third(test_templates::kThirdPage);
  for (CPropertyPage* page : {&first, &second, &third}) sheet.AddPage(page);
  grid.Press({Code::NextTab, Code::Home, U'9'});  // the second page's edit has the focus once shown
  grid.Press({Key{Code::Function, 0, false, 3}, Key{Code::Function, 0, false, 2}, Code::Enter});
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(second.m_value, 97);
}

TEST_F(TerminalBackendTest, ATerminalMadeTooSmallSaysSoUntilItIsLargeEnoughAgain) {
  grid.ResizeTo({10, 30});
  grid.Press({U'a'});  // not typed while the window cannot be seen
  grid.ResizeTo({30, 100});
  grid.Press({Code::Enter});
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_EQ(grid.shownBeforeKeys.size(), 4u);
  EXPECT_THAT(grid.shownBeforeKeys[1], HasSubstr("The terminal is too small:"));
  EXPECT_THAT(grid.shownBeforeKeys[1], HasSubstr("needs 57x"));
  EXPECT_THAT(grid.shownBeforeKeys[3], HasSubstr("+- Record "));
  EXPECT_TRUE(dialog.m_name.empty());
  EXPECT_TRUE(backend.Failure().empty());
}

TEST_F(TerminalBackendTest, TheFolderChooserGoesIntoAndUpFromFoldersAndPicksTheOneItStandsIn) {
  const std::filesystem::path home =
      std::filesystem::temp_directory_path() / ("terminal-chooser-" + std::to_string(getpid()));
  std::filesystem::create_directories(home / "alice" / "inbox");
  std::filesystem::create_directories(home / "bob");
  setenv("HOME", home.c_str(), 1);  // the chooser of a window without a folder field starts there
  // Into the first folder starting with "b", up again, down past ".." to "alice", into it, and pick it.
  grid.Press({U'b', Code::Enter, Code::Backspace, Code::Down, Code::Enter, U' '});
  EXPECT_EQ(BrowseForFolder(nullptr, "Select a Directory:", BIF_RETURNONLYFSDIRS), (home / "alice").string());
  grid.Press({Code::Escape});
  EXPECT_EQ(BrowseForFolder(nullptr, "Select a Directory:", BIF_RETURNONLYFSDIRS), std::nullopt);
  std::filesystem::remove_all(home);
}

TEST_F(TerminalBackendTest, AWindDownRequestClosesWindowsAsCancelledWithoutAFailure) {
  backend.SetWindDown([] { return true; }, -1);
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(MessageBox(nullptr, "Delete?", "Question", MB_YESNO), IDNO);
  EXPECT_TRUE(backend.Failure().empty());
}
