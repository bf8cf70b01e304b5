#include "framework/FolderBrowser.h"
#include "framework/PropertySheet.h"
#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptParser.h"
#include "framework/scripted/ScriptPlayer.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

// The program the scripts drive: the record dialog, whose Add opens the nested dialog, asks a
// question, lets the user pick a folder and adds a row, all inside the click; then a two-page sheet.
void RunProgram() {
  RecordDialog dlg;
  dlg.m_onAdd = [](RecordDialog& d) {
    if (CDialog(test_templates::kNested, &d).DoModal() != IDOK) return;
    if (d.MessageBox("Keep \"it\"?\n\nReally?", "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    const std::optional<std::string> folder =
        BrowseForFolder(&d, "Select a Directory:", BIF_RETURNONLYFSDIRS);
    d.m_list.SetItemText(d.m_list.InsertItem(d.m_list.GetItemCount(), "kept"), 1, folder.value_or("(none)"));
  };
  if (dlg.DoModal() != IDOK) return;
  CPropertySheet sheet("Two \"pages\"");
  CPropertyPage first(test_templates::kFirstPage), second(test_templates::kSecondPage);
  sheet.AddPage(&first);
  sheet.AddPage(&second);
  sheet.DoModal();
}

// The failure of a run of `script` against the program; empty when it ran as written.
std::string Replay(const std::string& script) {
  ModuleResourceScope module(test_templates::Module());
  try {
    ScriptPlayer player("s", script);
    ScriptedBackend backend(player);
    BackendScope use(backend);
    RunProgram();
    player.Finish();
  } catch (const ScriptError& error) {
    return error.what();
  }
  return "";
}

TEST(ScriptPlayerTest, AWholeRunWithNestedWindowsPasses) {
  EXPECT_EQ(Replay(R"script(# a whole run
expect-dialog 100
set 10 "O'Brien \"the\" \\ admin"   # quotes and backslashes
expect-text 10 "O'Brien \"the\" \\ admin"
check 14 on
expect-checked 14 on
select 15 "10.0.0.1"
expect-text 15 "10.0.0.12"
click 17
expect-dialog 101
click 1
expect-message "Warning" "Keep \"it\"?\n\nReally?"
answer yes
browse "/srv/ftp/caf)script"
                   "\xC3\xA9"
                   R"script("
expect-count 16 1
click 17
expect-dialog 101
click 1
expect-message "Warning" "Keep \"it\"?\n\nReally?"
answer yes
browse
expect-count 16 2
expect-cell 16 1 1 "(none)"
select-row 16 0
expect-enabled 18 no
click 1
expect-sheet "Two \"pages\""
tab 1
set 30 "anything"
close-sheet ok
)script"),
            "");
}

TEST(ScriptPlayerTest, TheFirstDifferenceOrMalformedLineStopsTheRunNamingItsLineAndWhatWasSeen) {
  // A count that is no integer, refused with its message box when OK is clicked.
  const std::string refused = "expect-dialog 100\nset 11 \"x\"\nclick 1\n";
  const std::string box = "the message box \"Veltrane Server\" \"Please enter an integer.\"";
  const std::string expectBox = "expect-message \"Veltrane Server\" \"Please enter an integer.\"\n";
  const std::pair<std::string, std::string> cases[] = {
      {"expect-dialog 101\n", "s:1: dialog 100 \"Record\" opened instead"},
      {"\n\nexpect-dialog 100\nexpect-text 10 \"x\"\n", "s:4: control 10 shows \"\""},
      {"expect-dialog 100\nset 10 \"x\"\n", "s: the script ended, but dialog 100 \"Record\" is still open"},
      {refused + "click 2\n", "s:4: " + box + " appeared instead"},
      {refused + expectBox + "answer yes\n", "s:5: " + box + " has no yes button"},
      {refused + expectBox + "answer ok\nclick 2\n", ""},  // a refusal the script expects is no failure
      {"expect-dialog 100\nexpect-message \"Warning\" \"x\"\n",
       "s:2: nothing appeared; dialog 100 \"Record\" is waiting for input"},
      // Malformed lines are refused before anything runs.
      {"expect-dialog 100\nfrobnicate 3\n", "s:2: unknown command \"frobnicate\""},
      {"set 10 \"open\n", "s:1: a text has no closing quote"},
      {"set 1x \"x\"\n", "s:1: expected set ID \"TEXT\""},
      // A line is quoted in part, and never with what a terminal would act on.
      {"\x1b[2J" + std::string(10'000'000, 'x') + "\n",
       "s:1: unknown command \"\\x1B[2J" + std::string(196, 'x') + "\"..."},
      {"set 10 \"\\\r\"\n", "s:1: unknown escape \"\\\\\\r\""},
  };
  for (const auto& [script, failure] : cases) EXPECT_EQ(Replay(script), failure) << script;
}

TEST(QuoteForReport, EscapesControlCharactersAndStrayBytesAndStopsAfter200Characters) {
  EXPECT_EQ(QuoteForReport("a\"b\\c\nd\te\rf\x7f\x01"), "\"a\\\"b\\\\c\\nd\\te\\rf\\x7F\\x01\"");
  // A C1 control, two UTF-8 characters, a byte that is no UTF-8 and a character cut short.
  EXPECT_EQ(QuoteForReport("\xC2\x9B"
                           "31m \xC3\xA9\xE5\x90\x8D \xFF\xC3"),
            "\"\\u009B31m \xC3\xA9\xE5\x90\x8D \\xFF\\xC3\"");
  std::string wide;
  for (int i = 0; i < 201; ++i) wide += "\xC3\xA9";
  EXPECT_EQ(QuoteForReport(wide), "\"" + wide.substr(0, 400) + "\"...");
}

}  // namespace
