#include "framework/terminal/TerminalScreen.h"

#include <curses.h>
#include <poll.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>

#include "framework/terminal/TerminalRescue.h"
#include "framework/terminal/Utf8.h"

namespace {

// A lone Escape is told from the start of a key's sequence by this pause.
constexpr int kEscapeDelayMs = 25;

SCREEN* g_screen = nullptr;
int g_heldStderr = -1;  // the real standard error while it is held back
FILE* g_heldText = nullptr;

void GiveBack() {
  if (!g_screen) return;
  const TerminationSignalsBlocked blocked;
  DisarmTerminalRescue();
  endwin();
  delscreen(g_screen);
  g_screen = nullptr;
  if (g_heldStderr < 0) return;
  std::fflush(stderr);
  dup2(g_heldStderr, STDERR_FILENO);
  close(g_heldStderr);
  g_heldStderr = -1;
  std::rewind(g_heldText);
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, g_heldText)) > 0;)
    std::fwrite(buffer, 1, n, stderr);
  std::fclose(g_heldText);
}

void HoldStderr() {
  g_heldText = std::tmpfile();
  if (!g_heldText) return;
  std::fflush(stderr);
  g_heldStderr = dup(STDERR_FILENO);
  dup2(fileno(g_heldText), STDERR_FILENO);
}

// What endwin would send to undo the screen's modes: attributes, the mouse, the keypad, the
// cursor and the alternate screen.
std::string UndoBytes() {
  std::string undo;
  const auto add = [&undo](const char* capability) {
    const char* text = tigetstr(capability);
    if (text && text != reinterpret_cast<char*>(-1)) undo += text;
  };
  add("sgr0");
  if (has_mouse()) {
    const char* mouse = tigetstr("XM");
    undo += mouse && mouse != reinterpret_cast<char*>(-1) ? tiparm(mouse, 0) : "\033[?1000l";
  }
  add("rmkx");
  add("cnorm");
  add("rmcup");
  return undo;
}

// The wide build needs a UTF-8 locale; a terminal session without one gets C.UTF-8.
void UseUtf8Locale() {
  std::setlocale(LC_ALL, "");
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_ALL, "C.UTF-8");
}

attr_t AttributesOf(Look look) {
  switch (look) {
    case Look::Title:
    case Look::Default:
      return A_BOLD;
    case Look::ReadOnly:
    case Look::Disabled:
      return A_DIM;
    case Look::Focused:
      return A_REVERSE;
    case Look::Selected:
      return A_BOLD | A_UNDERLINE;
    case Look::Access:
      return A_UNDERLINE;
    case Look::Plain:
    case Look::Field:
      break;
  }
  return A_NORMAL;
}

// A press of the first button is a click; the wheel moves as the arrows do.
std::optional<Key> MouseKey() {
  MEVENT event;
  if (getmouse(&event) != OK) return std::nullopt;
  if (event.bstate & BUTTON1_PRESSED) return Key{Key::Code::Click, 0, false, 0, event.y, event.x};
  if (event.bstate & BUTTON4_PRESSED) return Key::Of(Key::Code::Up);
  if (event.bstate & BUTTON5_PRESSED) return Key::Of(Key::Code::Down);
  return std::nullopt;
}

std::optional<Key> NamedKey(int code) {
  switch (code) {
    case KEY_BTAB:
      return Key::Of(Key::Code::BackTab);
    case KEY_UP:
      return Key::Of(Key::Code::Up);
    case KEY_DOWN:
      return Key::Of(Key::Code::Down);
    case KEY_LEFT:
      return Key::Of(Key::Code::Left);
    case KEY_RIGHT:
      return Key::Of(Key::Code::Right);
    case KEY_PPAGE:
      return Key::Of(Key::Code::PageUp);
    case KEY_NPAGE:
      return Key::Of(Key::Code::PageDown);
    case KEY_HOME:
      return Key::Of(Key::Code::Home);
    case KEY_END:
      return Key::Of(Key::Code::End);
    case KEY_BACKSPACE:
      return Key::Of(Key::Code::Backspace);
    case KEY_DC:
      return Key::Of(Key::Code::Delete);
    case KEY_ENTER:
      return Key::Of(Key::Code::Enter);
    case KEY_RESIZE:
      return Key::Of(Key::Code::Resize);
    case KEY_MOUSE:
      return MouseKey();
  }
  if (code >= KEY_F(1) && code <= KEY_F(12)) return Key{Key::Code::Function, 0, false, code - KEY_F(0)};
  // Keys with modifiers have names of their own in the terminal's description.
  const char* name = keyname(code);
  if (!name) return std::nullopt;
  if (std::strcmp(name, "kPRV5") == 0) return Key::Of(Key::Code::PreviousTab);
  if (std::strcmp(name, "kNXT5") == 0) return Key::Of(Key::Code::NextTab);
  if (std::strcmp(name, "kDN3") == 0) return Key{Key::Code::Down, 0, true};
  return std::nullopt;
}

std::optional<Key> CharacterKey(wint_t ch) {
  switch (ch) {
    case L'\t':
      return Key::Of(Key::Code::Tab);
    case L'\r':
    case L'\n':
      return Key::Of(Key::Code::Enter);
    case 8:
    case 127:
      return Key::Of(Key::Code::Backspace);
  }
  if (ch < L' ') return std::nullopt;
  return Key::Char(static_cast<char32_t>(ch));
}

}  // namespace

TerminalScreen::TerminalScreen() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
    throw TerminalUnavailable("standard input and output are not a terminal");
  UseUtf8Locale();
  termios shellModes{};
  tcgetattr(STDIN_FILENO, &shellModes);
  HoldStderr();
  g_screen = newterm(nullptr, stdout, stdin);
  if (!g_screen) {
    GiveBack();
    throw TerminalUnavailable("the terminal type is unknown (TERM)");
  }
  std::atexit(GiveBack);
  set_escdelay(kEscapeDelayMs);
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  nodelay(stdscr, TRUE);
  // Where the terminal reports the mouse: presses at once, without waiting to see a click.
  mousemask(BUTTON1_PRESSED | BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
  mouseinterval(0);
  if (has_colors()) {
    start_color();
    use_default_colors();  // the terminal's own colours
  }
  ArmTerminalRescue(shellModes, UndoBytes(), g_heldStderr, g_heldText ? fileno(g_heldText) : -1);
}

TerminalScreen::~TerminalScreen() { GiveBack(); }

CellSize TerminalScreen::Size() const {
  int rows = 0, cols = 0;
  getmaxyx(stdscr, rows, cols);
  return {rows, cols};
}

Canvas& TerminalScreen::BeginFrame() {
  erase();
  m_caretShown = false;
  SetOrigin(0, 0);
  return *this;
}

void TerminalScreen::EndFrame() {
  curs_set(m_caretShown ? 1 : 0);
  if (m_caretShown) move(m_caretRow, m_caretCol);
  refresh();
}

void TerminalScreen::Text(int row, int col, const std::string& text, int width, Look look, char fill) {
  const CellSize size = Size();
  row += m_row;
  col += m_col;
  if (row < 0 || row >= size.rows || width <= 0) return;
  const int end = std::min(col + width, size.cols);
  attrset(AttributesOf(look));
  int at = col;
  for (char32_t ch : DecodeUtf8(text)) {
    const int cells = CellWidth(ch);
    if (cells == 0) continue;
    if (at + cells > end) break;
    const wchar_t shown[2] = {static_cast<wchar_t>(ch), 0};
    mvaddnwstr(row, at, shown, 1);
    at += cells;
  }
  for (; fill != '\0' && at < end; ++at) mvaddch(row, at, static_cast<chtype>(fill));
  attrset(A_NORMAL);
}

void TerminalScreen::Frame(int row, int col, int rows, int cols) {
  row += m_row;
  col += m_col;
  if (rows < 2 || cols < 2) return;
  mvhline(row, col + 1, ACS_HLINE, cols - 2);
  mvhline(row + rows - 1, col + 1, ACS_HLINE, cols - 2);
  mvvline(row + 1, col, ACS_VLINE, rows - 2);
  mvvline(row + 1, col + cols - 1, ACS_VLINE, rows - 2);
  mvaddch(row, col, ACS_ULCORNER);
  mvaddch(row, col + cols - 1, ACS_URCORNER);
  mvaddch(row + rows - 1, col, ACS_LLCORNER);
  mvaddch(row + rows - 1, col + cols - 1, ACS_LRCORNER);
}

void TerminalScreen::Caret(int row, int col) {
  m_caretShown = true;
  m_caretRow = row + m_row;
  m_caretCol = col + m_col;
}

std::optional<Key> TerminalScreen::ReadKey() {
  wint_t ch = 0;
  const int kind = get_wch(&ch);
  if (kind == ERR) return std::nullopt;
  if (kind == KEY_CODE_YES) return NamedKey(static_cast<int>(ch));
  if (ch != 27) return CharacterKey(ch);
  // Escape alone, or Alt (Meta) with the key that follows at once.
  wint_t next = 0;
  const int nextKind = get_wch(&next);
  if (nextKind == OK && next >= L' ') return Key::Char(static_cast<char32_t>(next), true);
  if (nextKind == KEY_CODE_YES && next == KEY_DOWN) return Key{Key::Code::Down, 0, true};
  return Key::Of(Key::Code::Escape);
}

std::optional<Key> TerminalScreen::WaitForKey(int timeoutMs, int wakeDescriptor) {
  if (std::optional<Key> key = ReadKey()) return key;  // already read from the terminal
  pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {wakeDescriptor, POLLIN, 0}};
  if (poll(watched, wakeDescriptor >= 0 ? 2 : 1, timeoutMs) == 0) return std::nullopt;
  // Readable input, a wake-up, or a signal (a resize among them): whatever ncurses has.
  return ReadKey();
}
