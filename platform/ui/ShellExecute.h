#pragma once
// The shell's "open" verb: hands a file to the desktop's program for its type.
// With a transcript open it is recorded as `shell open "PATH"` (the path as
// given); in script mode nothing is started. Windows path separators are
// read as '/'. Any thread. On Windows the file is started with the system's
// ShellExecuteW; ShellExecute here is the toolkit's, which records it.
#include "platform/ui/WinUser.h"

#ifdef _WIN32
#include <shellapi.h>
#undef ShellExecute
#else
inline constexpr INT_PTR SE_ERR_FNF = 2;      // the file does not exist
inline constexpr INT_PTR SE_ERR_NOASSOC = 31; // no program for the verb or type
#endif

// Above 32 on success, else an SE_ERR_ code, as Windows answers.
INT_PTR ShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, int show);
