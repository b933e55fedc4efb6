#pragma once
// Interlocked counts, the re-entrant critical section and kernel objects
// (mutex, event) with WaitForSingleObject, as the Windows interfaces have them.
#include "platform/com/WinTypes.h"

#ifndef _WIN32
#include <mutex>

LONG InterlockedIncrement(LONG volatile* addend);
LONG InterlockedDecrement(LONG volatile* addend);
LONG InterlockedExchange(LONG volatile* target, LONG value);
LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand);

// A re-entrant critical section: the owning thread may enter it again and
// must leave it as often.
struct CRITICAL_SECTION {
    std::recursive_mutex mutex;
};
void InitializeCriticalSection(CRITICAL_SECTION* cs);
void DeleteCriticalSection(CRITICAL_SECTION* cs);
void EnterCriticalSection(CRITICAL_SECTION* cs);
BOOL TryEnterCriticalSection(CRITICAL_SECTION* cs);
void LeaveCriticalSection(CRITICAL_SECTION* cs);

// Unnamed mutex: owned by one thread at a time, re-entrant for its owner;
// only the owner may release it.
HANDLE CreateMutexW(LPVOID attributes, BOOL initialOwner, LPCWSTR name);
BOOL ReleaseMutex(HANDLE mutex);

// Unnamed event, manual or automatic reset.
HANDLE CreateEventW(LPVOID attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// WAIT_OBJECT_0, WAIT_ABANDONED, WAIT_TIMEOUT, or WAIT_FAILED for a bad handle.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
BOOL CloseHandle(HANDLE handle);

#define CreateMutex CreateMutexW
#define CreateEvent CreateEventW
#endif
