#include "framework/terminal/TerminalScreen.h"

#include <curses.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <term.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <utility>
#include <vector>

#include "framework/terminal/TerminalRescue.h"
#include "framework/terminal/Utf8.h"

namespace {

// A lone Escape is told from the start of a key's sequence by this pause.
constexpr int kEscapeDelayMs = 25;

SCREEN* g_screen = nullptr;
int g_heldStderr = -1;  // the real standard error while it is held back
FILE* g_heldText = nullptr;
std::string g_pasteOff;  // ends bracketed paste, where the terminal has it

// Writes out what standard error held meanwhile, and gives it back.
void ReleaseStderr() {
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
  g_heldText = nullptr;
}

void GiveBack() {
  if (!g_screen) return;
  const TerminationSignalsBlocked blocked;
  DisarmTerminalRescue();
  putp(g_pasteOff.c_str());
  endwin();
  delscreen(g_screen);
  g_screen = nullptr;
  ReleaseStderr();
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
  add("BD");
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

// A capability's text, or empty when the terminal's description has none.
std::string Capability(const char* name) {
  const char* text = tigetstr(name);
  return text && text != reinterpret_cast<char*>(-1) ? text : "";
}

// The key sequences the terminal's description names.
std::vector<KeyDecoder::Sequence> KnownSequences() {
  const std::pair<const char*, Key> named[] = {
      {"kcbt", Key::Of(Key::Code::BackTab)},      {"kcuu1", Key::Of(Key::Code::Up)},
      {"kcud1", Key::Of(Key::Code::Down)},        {"kcub1", Key::Of(Key::Code::Left)},
      {"kcuf1", Key::Of(Key::Code::Right)},       {"kpp", Key::Of(Key::Code::PageUp)},
      {"knp", Key::Of(Key::Code::PageDown)},      {"khome", Key::Of(Key::Code::Home)},
      {"kend", Key::Of(Key::Code::End)},          {"kbs", Key::Of(Key::Code::Backspace)},
      {"kdch1", Key::Of(Key::Code::Delete)},      {"kent", Key::Of(Key::Code::Enter)},
      {"kPRV5", Key::Of(Key::Code::PreviousTab)}, {"kNXT5", Key::Of(Key::Code::NextTab)},
      {"kDN3", Key{Key::Code::Down, 0, true}},
  };
  std::vector<KeyDecoder::Sequence> known;
  for (const auto& [name, key] : named) known.push_back({Capability(name), key});
  for (int number = 1; number <= 12; ++number)
    known.push_back(
        {Capability(("kf" + std::to_string(number)).c_str()), Key{Key::Code::Function, 0, false, number}});
  return known;
}

// The pause that tells a lone Escape from the start of a key's sequence: ESCDELAY when it
// names a sensible one, else our own.
int EscapeDelayMs() {
  const char* text = std::getenv("ESCDELAY");
  const int named = text ? std::atoi(text) : 0;
  return named > 0 && named <= 1000 ? named : kEscapeDelayMs;
}

std::string TerminalType() {
  const char* type = std::getenv("TERM");
  return type ? type : "";
}

}  // namespace

TerminalScreen::TerminalScreen() {
  if (!isatty(STDIN_FILENO) || !isatty(STDOUT_FILENO))
    throw TerminalUnavailable("standard input and output are not a terminal");
  UseUtf8Locale();
  termios shellModes{};
  tcgetattr(STDIN_FILENO, &shellModes);
  const std::string type = TerminalType();
  if (type.empty()) throw TerminalUnavailable("TERM names no terminal type");
  HoldStderr();
  g_screen = newterm(type.c_str(), stdout, stdin);
  if (!g_screen) {
    ReleaseStderr();
    throw TerminalUnavailable("the terminal type \"" + type + "\" (TERM) is unknown");
  }
  // A terminal that cannot place the cursor (dumb, a printer) cannot show a form.
  if (Capability("cup").empty()) {
    GiveBack();
    throw TerminalUnavailable("the terminal type \"" + type + "\" (TERM) cannot place the cursor");
  }
  std::atexit(GiveBack);
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);  // the terminal sends its keys as its description names them
  // Where the terminal reports the mouse: presses of the first button, and the wheel.
  mousemask(BUTTON1_PRESSED | BUTTON4_PRESSED | BUTTON5_PRESSED, nullptr);
  if (has_colors()) {
    start_color();
    use_default_colors();  // the terminal's own colours
  }
  g_pasteOff = Capability("BD");
  putp(Capability("BE").c_str());
  std::fflush(stdout);
  m_decoder.emplace(KnownSequences(), has_mouse() ? Capability("kmous") : "");
  m_escapeDelayMs = EscapeDelayMs();
  m_dims = !Capability("dim").empty();
  m_size = Size();
  ArmTerminalRescue(shellModes, UndoBytes(), g_heldStderr, g_heldText ? fileno(g_heldText) : -1);
}

TerminalScreen::~TerminalScreen() {
  GiveBack();
  if (m_gone) raise(SIGHUP);
}

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
  attrset(AttributesOf(look));  // for the fill
  const attr_t attributes = AttributesOf(look);
  const std::u32string chars = DecodeUtf8(text);
  int at = col;
  for (size_t i = 0; i < chars.size();) {
    const int cells = CellWidth(chars[i]);
    // A cell holds a character with the combining marks after it (as many as a cell takes).
    std::wstring cluster(1, static_cast<wchar_t>(chars[i]));
    for (++i; i < chars.size() && chars[i] >= 0x80 && CellWidth(chars[i]) == 0; ++i)
      if (cluster.size() < CCHARW_MAX) cluster += static_cast<wchar_t>(chars[i]);
    if (cells == 0) continue;  // a control character, or marks without a character
    if (at + cells > end) break;
    cchar_t cell;
    setcchar(&cell, cluster.c_str(), attributes, 0, nullptr);
    mvadd_wch(row, at, &cell);
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

// Follows a change of the terminal's size, told by the terminal itself.
bool TerminalScreen::FollowResize() {
  winsize size{};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 || size.ws_col == 0) return false;
  const CellSize now{size.ws_row, size.ws_col};
  if (now.rows == m_size.rows && now.cols == m_size.cols) return false;
  if (now.rows != LINES || now.cols != COLS) resizeterm(now.rows, now.cols);
  m_size = now;
  return true;
}

// Reads what the terminal has sent; false when it is gone (end of file or a read error).
bool TerminalScreen::ReadInput() {
  char buffer[4096];
  const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
  if (got > 0) m_decoder->Feed(std::string_view(buffer, static_cast<size_t>(got)));
  return got > 0 || (got < 0 && (errno == EINTR || errno == EAGAIN));
}

std::optional<Key> TerminalScreen::WaitForKey(int timeoutMs, int wakeDescriptor) {
  for (;;) {
    if (std::optional<Key> key = m_decoder->Next()) return key;
    if (FollowResize()) return Key::Of(Key::Code::Resize);
    if (m_gone) return std::nullopt;
    // Part of a sequence waits a short while for its rest, timers or not.
    const bool waiting = m_decoder->Waiting();
    pollfd watched[2] = {{STDIN_FILENO, POLLIN, 0}, {wakeDescriptor, POLLIN, 0}};
    const int ready = poll(watched, wakeDescriptor >= 0 ? 2 : 1, waiting ? m_escapeDelayMs : timeoutMs);
    if (ready < 0) {
      if (errno == EINTR) continue;  // a signal: a resize, or a wake-up that poll shows next
      m_gone = true;
      return std::nullopt;
    }
    if (ready == 0 && waiting) {
      m_decoder->TimeOut();
      continue;
    }
    if (ready == 0) return std::nullopt;
    if (watched[0].revents == 0) return std::nullopt;  // woken
    if (!ReadInput()) m_gone = true;
  }
}
