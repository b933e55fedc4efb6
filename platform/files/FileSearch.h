#pragma once
// File search by pattern with the Windows functions: FindFirstFileW opens a search and
// returns its first match, FindNextFileW the following ones, FindClose ends it. On
// Windows they are the system's; on Linux these stand in for them:
//
// The pattern is a Windows path text (WinPath.h) whose last part may hold wildcards:
// '*' matches any run of characters, '?' exactly one, letters match without regard to
// case (NameCase.h), "*.*" matches every name as on Windows. Matches come in the
// order the folder listing gives them, "." and ".." included when the pattern matches
// them. The folder is read as the search goes, so folders of any size work. Names that
// do not fit cFileName or are not valid UTF-8 (and so could not be opened again by
// name) are skipped.
//
// A search handle belongs to its caller until FindClose; one thread at a time may use
// it. Handles are checked: a closed, foreign or invalid handle gives FALSE, never a
// crash.
#include "platform/com/WinTypes.h"

#ifndef _WIN32
inline constexpr DWORD MAX_PATH = 260;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001u;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010u;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080u;

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

// 100-nanosecond intervals since 1 January 1601 (UTC), split in two halves.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime; // the status-change time: Linux keeps no creation time
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh; // bytes, high 32 bits
    DWORD nFileSizeLow;  // bytes, low 32 bits
    DWORD dwReserved0;
    DWORD dwReserved1;
    WCHAR cFileName[MAX_PATH]; // the name alone, without its folder
    WCHAR cAlternateFileName[14];
};

// The first match, or INVALID_HANDLE_VALUE when nothing matches, the folder cannot be
// read, or an argument is null.
HANDLE FindFirstFileW(LPCWSTR pattern, WIN32_FIND_DATAW* found);
// The next match; FALSE when there is none left.
BOOL FindNextFileW(HANDLE search, WIN32_FIND_DATAW* found);
BOOL FindClose(HANDLE search);
#endif // _WIN32
