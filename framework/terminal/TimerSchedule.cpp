#include "framework/terminal/TimerSchedule.h"

#include <algorithm>

#include "framework/WindowState.h"
#include "framework/Wnd.h"

void TimerSchedule::Follow(const std::vector<CWnd*>& windows, Clock::time_point now) {
  std::map<std::pair<CWnd*, UINT_PTR>, Entry> followed;
  for (CWnd* window : windows) {
    const WindowState* state = window->GetWindowState();
    if (!state) continue;
    for (const auto& [id, period] : state->Timers()) {
      const auto key = std::make_pair(window, id);
      const auto known = m_entries.find(key);
      const bool same = known != m_entries.end() && known->second.period == period;
      followed[key] = same ? known->second : Entry{period, now + std::chrono::milliseconds(period)};
    }
  }
  m_entries = std::move(followed);
}

int TimerSchedule::MillisecondsToNext(Clock::time_point now) const {
  if (m_entries.empty()) return -1;
  Clock::time_point next = Clock::time_point::max();
  for (const auto& entry : m_entries) next = std::min(next, entry.second.next);
  const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
  return static_cast<int>(std::max<decltype(wait)>(0, wait));
}

std::vector<TimerSchedule::Due> TimerSchedule::TakeDue(Clock::time_point now) {
  std::vector<Due> due;
  for (auto& [key, entry] : m_entries)
    if (entry.next <= now) {
      due.push_back({key.first, key.second});
      entry.next = now + std::chrono::milliseconds(entry.period);
    }
  return due;
}
