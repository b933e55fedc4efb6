#include "platform/com/Guid.h"
#include "platform/com/GuidLiteral.h"

#include <cstdio>

std::optional<GUID> GuidFromString(std::string_view text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') {
        return std::nullopt;
    }
    // Positions of the four dashes inside the braces.
    for (std::size_t i = 1; i < 37; ++i) {
        const bool dash = (i == 9 || i == 14 || i == 19 || i == 24);
        if (dash != (text[i] == '-')) {
            return std::nullopt;
        }
        if (!dash && guid_detail::HexValue(text[i]) < 0) {
            return std::nullopt;
        }
    }
    auto field = [&](std::size_t at, std::size_t digits) {
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < digits; ++i) {
            value = value * 16 + static_cast<std::uint64_t>(guid_detail::HexValue(text[at + i]));
        }
        return value;
    };
    GUID g{};
    g.Data1 = static_cast<std::uint32_t>(field(1, 8));
    g.Data2 = static_cast<std::uint16_t>(field(10, 4));
    g.Data3 = static_cast<std::uint16_t>(field(15, 4));
    g.Data4[0] = static_cast<std::uint8_t>(field(20, 2));
    g.Data4[1] = static_cast<std::uint8_t>(field(22, 2));
    for (std::size_t i = 0; i < 6; ++i) {
        g.Data4[2 + i] = static_cast<std::uint8_t>(field(25 + 2 * i, 2));
    }
    return g;
}

std::string GuidToString(const GUID& g)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), static_cast<unsigned>(g.Data2), static_cast<unsigned>(g.Data3),
                  g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}
