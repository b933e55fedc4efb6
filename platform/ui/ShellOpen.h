#pragma once
// The desktop's "open" of an existing file, the toolkit's part of
// ShellExecute: the desktop's program for the file's type (Qt), or the
// system's shell (Windows). UI thread. True when a program was started.
#include <string>

bool ShellOpen(const std::wstring& path);
