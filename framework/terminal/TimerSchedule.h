#pragma once
// When the open windows' timers are due. The windows' own timer tables say which run and how
// often; a timer started (or restarted with another period) is first due one period later.

#include <chrono>
#include <map>
#include <utility>
#include <vector>

#include "framework/FrameworkTypes.h"

class CWnd;

class TimerSchedule {
 public:
  using Clock = std::chrono::steady_clock;
  struct Due {
    CWnd* window;
    UINT_PTR id;
  };

  // Takes the timers the windows run now; forgets the rest.
  void Follow(const std::vector<CWnd*>& windows, Clock::time_point now);
  // Milliseconds until the next is due (0 when one is), or -1 when none runs.
  int MillisecondsToNext(Clock::time_point now) const;
  // The timers due, each scheduled again one period on.
  std::vector<Due> TakeDue(Clock::time_point now);

 private:
  struct Entry {
    UINT period;
    Clock::time_point next;
  };
  std::map<std::pair<CWnd*, UINT_PTR>, Entry> m_entries;
};
