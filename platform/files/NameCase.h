#pragma once
// Case-insensitive comparison of names (file names, profile sections and keys) as
// Windows compares them, for the letters a settings or satellite file is likely to hold:
// ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic. Pure; any thread.
#include <string_view>

wchar_t FoldNameCase(wchar_t c);
bool NamesEqualNoCase(std::wstring_view a, std::wstring_view b);
