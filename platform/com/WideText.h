#pragma once
// Conversions between the wide texts of the Windows interfaces and UTF-8.
// Wide texts are UTF-32 where wchar_t has 32 bits (Linux) and UTF-16 with
// surrogate pairs where it has 16 (Windows). Invalid input never fails: bad
// bytes and lone surrogates become U+FFFD.
#include <string>
#include <string_view>

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

// Appends one character (a code point up to U+10FFFF): one wchar_t, or a surrogate
// pair where wchar_t has 16 bits.
void AppendCodePoint(std::wstring& text, char32_t c);
