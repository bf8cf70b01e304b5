#pragma once
// The calling thread's last error code, as the Windows stand-ins report their failures.

#include "platform/WinTypes.h"

DWORD GetLastError();
void SetLastError(DWORD errorCode);
