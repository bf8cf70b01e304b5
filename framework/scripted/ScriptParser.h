#pragma once
// The text form of a UI script: one command per line, words separated by blanks, texts in
// double quotes with the escapes \n, \" and \\, and '#' starting a comment outside quotes.
//
//   expect-dialog ID            expect-sheet "CAPTION"
//   set ID "TEXT"               check ID on|off           select ID "TEXT"
//   select-row ID N             click ID                  tab N
//   timer N                     close-sheet ok|cancel     filter ID "TEXT"
//   expect-message "CAPTION" "TEXT"   followed by   answer ok|yes|no|cancel
//   browse "PATH"               browse   (the user cancels the folder chooser)
//   expect-text ID "TEXT"       expect-enabled ID yes|no  expect-checked ID on|off
//   expect-count ID N           expect-cell ID ROW COL "TEXT"
//
// An ID, a dialog's template or a control, is a number or a name: IDOK, IDCANCEL or one of
// the current module's names (ModuleResources), looked up when the first window opens.

#include <string>
#include <vector>

struct ScriptCommand {
  int line;
  std::string name;
  std::vector<std::string> args;  // numbers, names and keywords as written, texts unescaped
  int id = 0;                     // for a command whose args[0] is an ID: its value, once known
  bool idByName = false;          // that ID is a name, still to be looked up

  int Number(size_t index) const;  // args[index] as a whole number
};

// Every command of a script, checked against its form. A malformed line throws ScriptError
// naming `scriptName` and the line.
std::vector<ScriptCommand> ParseScript(const std::string& scriptName, const std::string& text);

// `text` in double quotes with the script's escapes, so that it stays on one line.
std::string QuoteText(const std::string& text);

// `text` in double quotes for an error line, which a terminal shows: as QuoteText, but at
// most 200 characters of it (then "..."), and with every other control character and every
// byte that is no part of a UTF-8 character escaped (\r, \t, \xHH, \u0085), so that nothing
// in it can act on the terminal.
std::string QuoteForReport(const std::string& text);
