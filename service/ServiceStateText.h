#pragma once
// The text the General page shows for a service state, with the buttons that go with it.

#include <cstdint>

#include "platform/WinTypes.h"

// Button modes: which of the Start and Stop buttons are usable.
inline constexpr int16_t kServiceButtonsStartOnly = 0;
inline constexpr int16_t kServiceButtonsStopOnly = 1;
inline constexpr int16_t kServiceButtonsNone = -1;

struct ServiceStateDisplay {
  const char* text;
  int16_t buttonMode;
};

// currentState is SERVICE_STATUS::dwCurrentState; unknown values show "Unknown".
ServiceStateDisplay ServiceStateText(DWORD currentState);

// What shows while the service manager cannot be reached: no state, and neither button.
inline constexpr ServiceStateDisplay kServiceManagerUnavailable{"Service manager not available",
                                                                kServiceButtonsNone};
