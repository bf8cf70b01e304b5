#include "framework/FolderBrowser.h"
#include "framework/PropertySheet.h"
#include "framework/scripted/ScriptError.h"
#include "framework/scripted/ScriptPlayer.h"
#include "tests/framework/RecordDialog.h"
#include "tests/framework/ScriptedFixture.h"

namespace {

// The program the scripts drive: the record dialog, whose Add asks a question, lets the user
// pick a folder and adds a row; then a two-page sheet.
void RunProgram() {
  RecordDialog dlg;
  dlg.m_onAdd = [](RecordDialog& d) {
    if (d.MessageBox("Keep \"it\"?\n\nReally?", "Warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    const std::optional<std::string> folder = BrowseForFolder(&d, "Select a Directory:", BIF_RETURNONLYFSDIRS);
    const int row = d.m_list.InsertItem(d.m_list.GetItemCount(), "kept");
    d.m_list.SetItemText(row, 1, folder.value_or("(none)"));
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

const char* const kWholeRun = R"script(# a whole run
expect-dialog 100
set 10 "O'Brien \"the\" \\ admin"   # quotes and backslashes
expect-text 10 "O'Brien \"the\" \\ admin"
check 14 on
expect-checked 14 on
select 15 "10.0.0.1"
expect-text 15 "10.0.0.12"
click 17
expect-message "Warning" "Keep \"it\"?\n\nReally?"
answer no
expect-count 16 0
click 17
expect-message "Warning" "Keep \"it\"?\n\nReally?"
answer yes
browse "/srv/ftp/caf\u00e9"
click 17
expect-message "Warning" "Keep \"it\"?\n\nReally?"
answer yes
browse
expect-count 16 2
expect-cell 16 1 1 "(none)"
select-row 16 0
expect-enabled 18 no
set 11 "5"
click 1
expect-sheet "Two \"pages\""
tab 1
set 30 "anything"
close-sheet ok
)script";

TEST(ScriptPlayerTest, AWholeRunPasses) {
  std::string script = kWholeRun;
  script.replace(script.find("\\u00e9"), 6, "\xC3\xA9");
  EXPECT_EQ(Replay(script), "");
}

TEST(ScriptPlayerTest, TheFirstDifferenceStopsTheRunNamingItsLineAndWhatWasSeen) {
  struct Case {
    const char* script;
    const char* failure;
  };
  const Case cases[] = {
      {"expect-dialog 101\n", "s:1: dialog 100 \"Record\" opened instead"},
      {"expect-sheet \"Record\"\n", "s:1: dialog 100 \"Record\" opened instead"},
      {"\n\nexpect-dialog 100\nexpect-text 10 \"x\"\n", "s:4: control 10 shows \"\""},
      {"expect-dialog 100\nexpect-enabled 17 no\n", "s:2: control 17 is enabled"},
      {"expect-dialog 100\nexpect-count 15 3\n", "s:2: control 15 has 4 entries"},
      {"expect-dialog 100\nclick 18\n", "s:2: dialog 100 \"Record\": control 18 is disabled"},
      {"expect-dialog 100\nset 12 \"1a\"\n", "s:2: dialog 100 \"Record\": control 12 takes digits only, not \"1a\""},
      {"expect-dialog 100\nset 10 \"x\"\n", "s: the script ended, but dialog 100 \"Record\" is still open"},
      {"expect-dialog 100\nclick 17\nclick 1\n",
       "s:3: the message box \"Warning\" \"Keep \\\"it\\\"?\\n\\nReally?\" appeared instead"},
      {"expect-dialog 100\nclick 17\nexpect-message \"Warning\" \"Keep \\\"it\\\"?\\n\\nReally?\"\nanswer ok\n",
       "s:4: the message box \"Warning\" \"Keep \\\"it\\\"?\\n\\nReally?\" has no ok button"},
      {"expect-dialog 100\nexpect-message \"Warning\" \"x\"\n",
       "s:2: nothing appeared; dialog 100 \"Record\" is waiting for input"},
      {"expect-dialog 100\nclick 2\nclick 1\n", "s:3: nothing is open for this command"},
      {"expect-dialog 100\nset 11 \"x\"\nclick 1\nexpect-message \"Veltrane Server\" \"Please enter an integer.\"\n"
       "answer ok\nclick 2\n",
       ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Replay(c.script), c.failure) << c.script;
}

TEST(ScriptPlayerTest, AMalformedLineIsRefusedBeforeAnythingRuns) {
  EXPECT_EQ(Replay("expect-dialog 100\nfrobnicate 3\n"), "s:2: unknown command frobnicate");
  EXPECT_EQ(Replay("set 10 \"a\\tb\"\n"), "s:1: unknown escape \\t");
  EXPECT_EQ(Replay("set 10 \"open\n"), "s:1: a text has no closing quote");
  EXPECT_EQ(Replay("set ten \"x\"\n"), "s:1: expected set N \"TEXT\"");
  EXPECT_EQ(Replay("check 14 yes\n"), "s:1: expected check N on|off");
  EXPECT_EQ(Replay("click\n"), "s:1: expected click N");
  EXPECT_EQ(Replay("\"set\" 10\n"), "s:1: a line must begin with a command");
}

TEST(ScriptPlayerTest, AMissingScriptFileIsReported) {
  EXPECT_THROW(ScriptPlayer::FromFile("/nonexistent/session.vts"), ScriptError);
}

}  // namespace
