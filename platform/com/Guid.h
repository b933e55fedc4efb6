#pragma once
// GUID, with the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];

    friend constexpr bool operator==(const GUID& a, const GUID& b)
    {
        if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
            return false;
        }
        for (int i = 0; i < 8; ++i) {
            if (a.Data4[i] != b.Data4[i]) {
                return false;
            }
        }
        return true;
    }
};

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// Strict parse of the registry form, braces included, hex digits of either case.
std::optional<GUID> GuidFromString(std::string_view text);
// The registry form with upper-case hex digits.
std::string GuidToString(const GUID& guid);

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

inline bool IsEqualGUID(REFGUID a, REFGUID b) { return a == b; }
inline bool IsEqualIID(REFIID a, REFIID b) { return a == b; }
inline bool IsEqualCLSID(REFCLSID a, REFCLSID b) { return a == b; }
