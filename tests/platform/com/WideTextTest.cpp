#include "platform/com/WideText.h"

#include <gtest/gtest.h>

namespace {

// The same texts give the same bytes whatever the width of wchar_t: a character
// beyond U+FFFF is one wchar_t on Linux and a surrogate pair on Windows.
TEST(WideText, CharactersBeyondTheBasicPlaneRoundTrip)
{
    const std::string dish = "\xF0\x9F\x93\xA1"; // U+1F4E1
    const std::string degree = "\xC2\xB0";       // U+00B0
    const std::wstring wide = FromUtf8("Sat " + dish + " 19.2" + degree);
    EXPECT_EQ(wide, L"Sat \U0001F4E1 19.2\u00B0");
    EXPECT_EQ(wide.size(), sizeof(wchar_t) == 2 ? 12u : 11u);
    EXPECT_EQ(ToUtf8(wide), "Sat " + dish + " 19.2" + degree);
    EXPECT_EQ(ToUtf8(L"\U0010FFFF"), "\xF4\x8F\xBF\xBF");
}

TEST(WideText, LoneSurrogatesAndBadBytesBecomeReplacementCharacters)
{
    struct Case {
        std::wstring wide;
        std::string utf8;
    };
    const Case cases[] = {
        {std::wstring(1, static_cast<wchar_t>(0xD800)), "\xEF\xBF\xBD"},
        {std::wstring(1, static_cast<wchar_t>(0xDC00)) + L"a",
         "\xEF\xBF\xBD"
         "a"},
        {L"a" + std::wstring(1, static_cast<wchar_t>(0xDBFF)), "a\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToUtf8(c.wide), c.utf8);
    }
    // Encoded surrogates, overlong forms and cut sequences are not characters.
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), L"\uFFFD");
    EXPECT_EQ(FromUtf8("\xC0\xAF"), L"\uFFFD");
    EXPECT_EQ(FromUtf8("x\xF0\x9F"), L"x\uFFFD");
}

} // namespace
