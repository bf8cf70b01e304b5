#pragma once
// GetTickCount and Sleep read and wait on one process-wide clock, the real one unless a
// test installs its own (see SimulatedClock), so that waits can run in simulated time.

#include <memory>

#include "platform/WinTypes.h"

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since an arbitrary origin, wrapping around at 2^32.
  virtual DWORD TickCount() = 0;
  virtual void Sleep(DWORD milliseconds) = 0;
};

// Installs the clock that GetTickCount and Sleep use; null restores the real clock.
void SetClock(std::shared_ptr<Clock> clock);

DWORD GetTickCount();
void Sleep(DWORD milliseconds);
