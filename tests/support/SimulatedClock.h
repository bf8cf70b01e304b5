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
  explicit SimulatedClock(DWORD startTick = 0) : m_tick(startTick) {}

  DWORD TickCount() override {
    std::lock_guard lock(m_mutex);
    return m_tick;
  }
  void Sleep(DWORD milliseconds) override {
    std::unique_lock lock(m_mutex);
    m_tick += milliseconds;
    m_sleeps.push_back(milliseconds);
    const std::function<void(DWORD)> hook = m_onSleep;
    lock.unlock();
    if (hook) hook(milliseconds);
  }

  // The sleeps asked for so far, in order.
  std::vector<DWORD> Sleeps() const {
    std::lock_guard lock(m_mutex);
    return m_sleeps;
  }
  // Called after each sleep has advanced the time, with the sleep's length.
  void OnSleep(std::function<void(DWORD)> hook) {
    std::lock_guard lock(m_mutex);
    m_onSleep = std::move(hook);
  }

 private:
  mutable std::mutex m_mutex;
  DWORD m_tick;
  std::vector<DWORD> m_sleeps;
  std::function<void(DWORD)> m_onSleep;
};
