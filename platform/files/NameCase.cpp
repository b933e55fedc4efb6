#include "platform/files/NameCase.h"

#include <cstdint>

wchar_t FoldNameCase(wchar_t c)
{
    const auto u = static_cast<std::uint32_t>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<wchar_t>(u + 32);
    if (u < 0xC0) return c;
    if (u <= 0xDE && u != 0xD7) return static_cast<wchar_t>(u + 32);
    // Latin Extended-A pairs capitals on even code points, except where U+0130..U+0138
    // and U+0149 break the rhythm; the stretch U+0139..U+0148 pairs the other way.
    if (u >= 0x100 && u <= 0x137 && u != 0x130) return static_cast<wchar_t>(u | 1u);
    if (u >= 0x139 && u <= 0x148) return static_cast<wchar_t>((u & 1u) ? u + 1 : u);
    if (u >= 0x14A && u <= 0x177) return static_cast<wchar_t>(u | 1u);
    if (u >= 0x391 && u <= 0x3A9 && u != 0x3A2) return static_cast<wchar_t>(u + 32);
    if (u >= 0x410 && u <= 0x42F) return static_cast<wchar_t>(u + 32);
    if (u >= 0x400 && u <= 0x40F) return static_cast<wchar_t>(u + 80);
    return c;
}

bool NamesEqualNoCase(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldNameCase(a[i]) != FoldNameCase(b[i])) return false;
    }
    return true;
}
