#pragma once
// Debug-string output: each text becomes a `debug "TEXT"` line of the journal.
#include "platform/com/WinTypes.h"

#ifndef _WIN32
void OutputDebugStringW(LPCWSTR text);
void OutputDebugStringA(LPCSTR text);
#define OutputDebugString OutputDebugStringW
#endif
