#pragma once
// Time as the Windows interfaces give it.
#include "platform/com/WinTypes.h"

#ifndef _WIN32
// Milliseconds since the system started; wraps after 49.7 days like Windows.
DWORD GetTickCount();
// Suspends the calling thread for at least the given milliseconds.
void Sleep(DWORD milliseconds);
#endif
