#pragma once
// GUID constants written in their registry form, checked at compile time.
#include "platform/com/Guid.h"

#include <cstdint>
#include <string_view>

namespace guid_detail {
constexpr int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
constexpr std::uint64_t HexField(std::string_view text, std::size_t at, std::size_t digits)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
        const int v = HexValue(text[at + i]);
        if (v < 0) {
            throw "GUID literal: not a hex digit"; // only ever evaluated at compile time
        }
        value = value * 16 + static_cast<std::uint64_t>(v);
    }
    return value;
}
} // namespace guid_detail

// A GUID constant from its registry form, checked at compile time:
//   inline constexpr CLSID CLSID_X = GuidLiteral("{E436EBB3-524F-11CE-9F53-0020AF0BA770}");
consteval GUID GuidLiteral(std::string_view text)
{
    using guid_detail::HexField;
    if (text.size() != 38 || text[0] != '{' || text[9] != '-' || text[14] != '-' || text[19] != '-' ||
        text[24] != '-' || text[37] != '}') {
        throw "GUID literal: not in registry form";
    }
    GUID g{};
    g.Data1 = static_cast<std::uint32_t>(HexField(text, 1, 8));
    g.Data2 = static_cast<std::uint16_t>(HexField(text, 10, 4));
    g.Data3 = static_cast<std::uint16_t>(HexField(text, 15, 4));
    g.Data4[0] = static_cast<std::uint8_t>(HexField(text, 20, 2));
    g.Data4[1] = static_cast<std::uint8_t>(HexField(text, 22, 2));
    for (std::size_t i = 0; i < 6; ++i) {
        g.Data4[2 + i] = static_cast<std::uint8_t>(HexField(text, 25 + 2 * i, 2));
    }
    return g;
}
