#pragma once
// The product version of a file as the title and the About box show it:
// " %d.%d.%d.%d " (a blank on both sides), or empty text when the file carries
// no version information. Any thread.
#include <string>

// path: a Windows path text; null asks for the program's own file.
std::wstring GetProductVersionText(const wchar_t* path = nullptr);
