#pragma once
// A clock for tests: Sleep returns at once, advancing simulated time and recording how long
// it was asked to sleep; GetTickCount reads simulated time. A test may hook each sleep to
// drive whatever it simulates alongside.

#include <functional>
#include <mutex>
#include <vector>

#include "platform/Clock.h"

class SimulatedClock final : public Clock {
 public:
  // startTick lets a test begin just below the 2^32 wrap of the tick count.
  explicit SimulatedClock(DWORD startTick = 0);

  DWORD TickCount() override;
  void Sleep(DWORD milliseconds) override;

  // The sleeps asked for so far, in order.
  std::vector<DWORD> Sleeps() const;
  // Called after each sleep has advanced the time, with the sleep's length.
  void OnSleep(std::function<void(DWORD)> hook);

 private:
  mutable std::mutex m_mutex;
  DWORD m_tick;
  std::vector<DWORD> m_sleeps;
  std::function<void(DWORD)> m_onSleep;
};
