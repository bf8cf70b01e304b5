#pragma once
// The Control Panel applet protocol: the messages a Control Panel sends to an applet
// library's one entry point, CPlApplet, and the record in which an applet describes itself.

#include <cstdint>

#include "platform/WinTypes.h"

using UINT = uint32_t;
using LONG_PTR = intptr_t;
using LPARAM = intptr_t;
using HWND = void*;                // the Control Panel's window, opaque to the applet
using HICON = const char* const*;  // an icon as XPM data, one string per line

inline constexpr UINT CPL_INIT = 1;
inline constexpr UINT CPL_GETCOUNT = 2;
inline constexpr UINT CPL_INQUIRE = 3;
inline constexpr UINT CPL_SELECT = 4;
inline constexpr UINT CPL_DBLCLK = 5;
inline constexpr UINT CPL_STOP = 6;
inline constexpr UINT CPL_EXIT = 7;
inline constexpr UINT CPL_NEWINQUIRE = 8;

// The published field order; lData and hIcon are pointer-sized, and dwSize holds the size
// of this record on the platform at hand.
struct NEWCPLINFO {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHelpContext;
  LONG_PTR lData;
  HICON hIcon;
  char szName[32];
  char szInfo[64];
  char szHelpFile[128];
};

// The entry point's signature; the applet library exports it under the name CPlApplet.
using APPLET_PROC = LONG (*)(HWND hwndCPl, UINT msg, LPARAM lParam1, LPARAM lParam2) noexcept;

// lParam2 of CPL_NEWINQUIRE carries the address of the NEWCPLINFO to fill.
extern "C" LONG CPlApplet(HWND hwndCPl, UINT msg, LPARAM lParam1, LPARAM lParam2) noexcept;
