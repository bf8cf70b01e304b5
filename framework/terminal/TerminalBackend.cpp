#include "framework/terminal/TerminalBackend.h"

#include <chrono>
#include <memory>

#include "framework/FolderBrowser.h"
#include "framework/ListFill.h"
#include "framework/MessageBox.h"
#include "framework/ModuleResources.h"
#include "framework/PropertySheet.h"
#include "framework/WindowState.h"
#include "framework/terminal/DialogSurface.h"
#include "framework/terminal/FolderSurface.h"
#include "framework/terminal/MessageSurface.h"
#include "framework/terminal/ModuleWindows.h"
#include "framework/terminal/SheetSurface.h"
#include "framework/terminal/Terminal.h"
#include "framework/terminal/Utf8.h"

namespace {

// A filling list takes rows a slice at a time, for about this long between two looks at the
// keyboard: time, not a row count, since a filtered list may find its rows far apart.
constexpr int kRowsPerFillSlice = 64;
constexpr auto kFillTimePerLook = std::chrono::milliseconds(10);

std::string SizeText(CellSize size) { return std::to_string(size.cols) + "x" + std::to_string(size.rows); }

}  // namespace

TerminalBackend::TerminalBackend(Terminal& terminal) : m_terminal(terminal) {}

void TerminalBackend::SetWindDown(std::function<bool()> requested, int descriptor) {
  m_windDownRequested = std::move(requested);
  m_windDownDescriptor = descriptor;
}

bool TerminalBackend::WindingDown() const {
  return !m_failure.empty() || m_terminal.Gone() || (m_windDownRequested && m_windDownRequested());
}

void TerminalBackend::RunModal(CWnd& window) {
  const WindowForm::Deliver deliver = [this](const std::function<void()>& action) { Deliver(action); };
  std::unique_ptr<Surface> surface;
  if (auto* sheet = dynamic_cast<CPropertySheet*>(&window))
    surface = std::make_unique<SheetSurface>(*sheet, deliver);
  else
    surface = std::make_unique<DialogSurface>(window, deliver);
  CheckModuleFits();
  Run(*surface);
}

void TerminalBackend::CheckModuleFits() {
  const ModuleResources* module = &CurrentModuleResources();
  if (module == m_checkedModule) return;
  m_checkedModule = module;
  const CellSize screen = m_terminal.Size(), needed = SmallestScreenFor(*module);
  if (m_failure.empty() && !screen.Holds(needed))
    m_failure =
        "the terminal is " + SizeText(screen) + " characters; the applet's windows need " + SizeText(needed);
}

void TerminalBackend::EndModal(CWnd&) {}

int TerminalBackend::MessageBox(CWnd*, const std::string& text, const std::string& caption, UINT style) {
  MessageSurface box(text, caption, style);
  Run(box);
  return box.Result();
}

std::optional<std::string> TerminalBackend::BrowseForFolder(CWnd* owner, const std::string& title, UINT) {
  FolderSurface chooser(title, FolderToStartIn(owner));
  Run(chooser);
  return chooser.Chosen();
}

void TerminalBackend::Run(Surface& surface) {
  if (WindingDown()) {
    surface.Abandon();
    return;
  }
  m_open.push_back(&surface);
  while (!surface.Done()) {
    if (WindingDown()) {
      surface.Abandon();
      break;
    }
    Redraw();
    WaitAndDispatch(surface);
  }
  m_open.pop_back();
}

// The first window of the stack that the screen cannot hold, or null when all fit. What is
// above it is hidden with it, and while one is hidden no key reaches any window.
const Surface* TerminalBackend::FirstHidden(CellSize screen) const {
  for (const Surface* surface : m_open)
    if (!screen.Holds(surface->Smallest())) return surface;
  return nullptr;
}

void TerminalBackend::Redraw() {
  const CellSize screen = m_terminal.Size();
  Canvas& canvas = m_terminal.BeginFrame();
  if (const Surface* hidden = FirstHidden(screen)) {
    const std::string message = "The terminal is too small: this window needs " +
                                SizeText(hidden->Smallest()) + ". Keys are ignored until it is larger.";
    int row = 0;
    for (const std::string& line : WrapText(message, screen.cols))
      canvas.Text(row++, 0, line, screen.cols, Look::Plain);
  } else {
    for (Surface* surface : m_open) {
      surface->Fit(screen);
      surface->Draw(canvas, surface == m_open.back());
    }
  }
  m_terminal.EndFrame();
}

void TerminalBackend::WaitAndDispatch(Surface& surface) {
  FollowTimers();
  const bool filling = AnyListFilling();
  const std::optional<Key> key =
      m_terminal.WaitForKey(filling ? 0 : MillisecondsToWait(surface), m_windDownDescriptor);
  if (key && !key->Is(Key::Code::Resize) && !FirstHidden(m_terminal.Size())) surface.HandleKey(*key);
  surface.SettleDue(std::chrono::steady_clock::now());
  if (filling)
    Deliver([] {
      const auto until = std::chrono::steady_clock::now() + kFillTimePerLook;
      while (ContinueListFills(kRowsPerFillSlice) && std::chrono::steady_clock::now() < until) {
      }
    });
  FireTimers();
}

// Until the next timer or the next change a field holds back, whichever comes first; -1 for
// neither.
int TerminalBackend::MillisecondsToWait(Surface& surface) const {
  const auto now = TimerSchedule::Clock::now();
  const int timer = m_timers.MillisecondsToNext(now);
  const std::optional<std::chrono::steady_clock::time_point> due = surface.Due();
  if (!due) return timer;
  const auto untilDue = std::chrono::duration_cast<std::chrono::milliseconds>(*due - now).count();
  const int field = static_cast<int>(std::max<decltype(untilDue)>(0, untilDue));
  return timer < 0 ? field : std::min(timer, field);
}

// The timers of the windows open now: a key may have opened and closed others meanwhile.
void TerminalBackend::FollowTimers() {
  std::vector<CWnd*> timed;
  for (Surface* open : m_open)
    for (CWnd* window : open->TimedWindows()) timed.push_back(window);
  m_timers.Follow(timed, TimerSchedule::Clock::now());
}

void TerminalBackend::FireTimers() {
  FollowTimers();
  for (const TimerSchedule::Due& due : m_timers.TakeDue(TimerSchedule::Clock::now()))
    Deliver([&due] {
      // A timer killed by an earlier tick of this round does not fire.
      if (const WindowState* state = due.window->GetWindowState(); state && state->Timers().count(due.id))
        due.window->OnTimer(due.id);
    });
}

void TerminalBackend::Deliver(const std::function<void()>& action) { RunReportingErrors(action); }
