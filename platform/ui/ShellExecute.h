#pragma once
// The shell's "open" verb: hands a file to the desktop's program for its type.
// With a transcript open it is recorded as `shell open "PATH"` (the path as
// given); in script mode nothing is started. Windows path separators are
// read as '/'. Any thread.
#include "platform/ui/WinUser.h"

inline constexpr INT_PTR SE_ERR_FNF = 2;      // the file does not exist
inline constexpr INT_PTR SE_ERR_NOASSOC = 31; // no program for the verb or type

// Above 32 on success, else an SE_ERR_ code, as Windows answers.
INT_PTR ShellExecute(HWND owner, LPCWSTR verb, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, int show);
