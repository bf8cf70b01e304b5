#include "tests/support/SimulatedClock.h"

SimulatedClock::SimulatedClock(DWORD startTick) : m_tick(startTick) {}

DWORD SimulatedClock::TickCount() {
  std::lock_guard lock(m_mutex);
  return m_tick;
}

void SimulatedClock::Sleep(DWORD milliseconds) {
  std::function<void(DWORD)> hook;
  {
    std::lock_guard lock(m_mutex);
    m_tick += milliseconds;
    m_sleeps.push_back(milliseconds);
    hook = m_onSleep;
  }
  if (hook) hook(milliseconds);
}

std::vector<DWORD> SimulatedClock::Sleeps() const {
  std::lock_guard lock(m_mutex);
  return m_sleeps;
}

void SimulatedClock::OnSleep(std::function<void(DWORD)> hook) {
  std::lock_guard lock(m_mutex);
  m_onSleep = std::move(hook);
}
