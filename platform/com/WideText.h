#pragma once
// Conversions between the wide texts of the Windows interfaces and UTF-8.
// Invalid input never fails: bad bytes become U+FFFD.
#include <string>
#include <string_view>

std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);
