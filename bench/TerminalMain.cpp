// The sheet in the terminal backend with 100,000 accounts, measured in one process.
//   veltrane-bench-terminal [--scripted] CONNECTION-STRING
// opens the sheet on the General page, with every account on the Users page, and:
//   - with --scripted, switches to the Users page on the scripted backend and prints the
//     seconds of the switch (the page filled) and the rows listed;
//   - otherwise types a user's keys into the terminal backend on an 80x24 pseudo-terminal
//     and prints: the seconds from the key switching to the Users page until the next key
//     is answered, then the worst and the median seconds of answering each later key, and
//     how many keys those are.

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/BenchMain.h"
#include "bench/BenchSession.h"
#include "bench/Listing.h"
#include "bench/Measure.h"
#include "bench/PseudoTerminal.h"
#include "bench/ShowSheet.h"
#include "bench/TimedKeys.h"
#include "db/ConfigDatabase.h"
#include "framework/Backend.h"
#include "framework/terminal/TerminalBackend.h"
#include "framework/terminal/TerminalScreen.h"

namespace {

Key F(int number) { return Key{Key::Code::Function, 0, false, number}; }

void Repeat(std::vector<Key>& keys, Key::Code code, int times) {
  keys.insert(keys.end(), times, Key::Of(code));
}

void Type(std::vector<Key>& keys, const std::u32string& text) {
  for (char32_t ch : text) keys.push_back(Key::Char(ch));
}

// F3 switches to the Users page and Tab is the next key; then what a user does on the sheet.
std::vector<Key> UsersKeys() {
  std::vector<Key> keys{F(3), Key::Of(Key::Code::Tab), Key::Of(Key::Code::Tab)};  // to the list
  Repeat(keys, Key::Code::Down, 20);
  Repeat(keys, Key::Code::PageDown, 10);
  keys.push_back(Key::Of(Key::Code::End));
  Repeat(keys, Key::Code::Up, 5);
  keys.push_back(Key::Of(Key::Code::Home));
  Type(keys, U"user987-5");  // typing to find, a letter at a time
  Type(keys, U"ftp");
  Repeat(keys, Key::Code::PageDown, 3);
  // Change Password, the fourth button after the list: both fields typed and edited.
  Repeat(keys, Key::Code::Tab, 4);
  keys.push_back(Key::Of(Key::Code::Enter));
  Type(keys, U"s3cret!");
  keys.push_back(Key::Of(Key::Code::Tab));
  Type(keys, U"s3cret?");
  Repeat(keys, Key::Code::Backspace, 2);
  Repeat(keys, Key::Code::Left, 3);
  keys.push_back(Key::Of(Key::Code::Home));
  keys.push_back(Key::Of(Key::Code::Escape));
  // Every tab, and back to the list.
  for (int page : {1, 2, 4, 3}) keys.push_back(F(page));
  keys.push_back(Key::Of(Key::Code::NextTab));
  keys.push_back(Key::Of(Key::Code::PreviousTab));
  return keys;
}

void RunInTerminal(ConfigDatabase& session) {
  const std::vector<Key> keys = UsersKeys();
  double switchSeconds = 0;
  std::vector<double> answers;
  {
    const PseudoTerminal pty(24, 80);
    TerminalScreen screen;
    TimedKeys typed(screen, keys);
    TerminalBackend backend(typed);
    BackendScope use(backend);
    ShowSheet(session, kGeneralPage);
    if (!backend.Failure().empty()) throw std::runtime_error(backend.Failure());
    switchSeconds = typed.SecondsFromTo(0, 1);
    for (size_t key = 1; key < keys.size(); ++key) answers.push_back(typed.SecondsFromTo(key, key));
  }
  std::printf("%.6f %.6f %.6f %zu\n", switchSeconds, *std::max_element(answers.begin(), answers.end()),
              Median(answers), answers.size());
}

}  // namespace

int main(int argc, char** argv) {
  const bool scripted = argc == 3 && std::string(argv[1]) == "--scripted";
  return BenchMain("veltrane-bench-terminal", "[--scripted] CONNECTION-STRING", argc == 2 || scripted, [&] {
    ConfigDatabase session;
    ConnectAsAdministrator(session, argv[argc - 1]);
    session.computerName.clear();  // "(local)": every account
    if (!scripted) return RunInTerminal(session);
    const ListingResult result = SwitchToUsersWithScriptedBackend(session);
    std::printf("%.6f %d\n", result.seconds, result.rows);
  });
}
