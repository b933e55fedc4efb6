#include "platform/files/Utf16Text.h"

#include <cstdint>

namespace {

void AppendUtf8(std::string& out, std::uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUnit(std::string& out, std::uint32_t unit, Utf16Order order)
{
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    if (order == Utf16Order::LittleEndian) {
        out += low;
        out += high;
    } else {
        out += high;
        out += low;
    }
}

} // namespace

std::size_t Utf8Sequence(std::string_view text, std::size_t i, std::uint32_t& code, bool surrogates)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t extra = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1, code = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, code = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, code = lead & 0x07u, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + extra >= text.size()) {
        return 0;
    }
    for (std::size_t j = 1; j <= extra; ++j) {
        const auto next = static_cast<unsigned char>(text[i + j]);
        if ((next & 0xC0) != 0x80) return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF || (!surrogates && code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return extra + 1;
}

std::optional<Utf16Order> Utf16BomOrder(std::string_view fileBytes)
{
    if (fileBytes.starts_with("\xFF\xFE")) return Utf16Order::LittleEndian;
    if (fileBytes.starts_with("\xFE\xFF")) return Utf16Order::BigEndian;
    return std::nullopt;
}

Utf8FromUtf16 Utf16ToUtf8(std::string_view units, Utf16Order order)
{
    Utf8FromUtf16 result;
    if (units.size() % 2 != 0) {
        result.oddByte.assign(1, units.back());
        units.remove_suffix(1);
    }
    result.text.reserve(units.size());
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(units[i]);
        const auto second = static_cast<unsigned char>(units[i + 1]);
        return order == Utf16Order::LittleEndian ? std::uint32_t(second << 8 | first)
                                                 : std::uint32_t(first << 8 | second);
    };
    for (std::size_t i = 0; i < units.size(); i += 2) {
        const std::uint32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 2 < units.size()) {
            const std::uint32_t next = unitAt(i + 2);
            if (next >= 0xDC00 && next < 0xE000) {
                AppendUtf8(result.text, 0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(result.text, unit); // a lone surrogate keeps its three-byte form
    }
    return result;
}

std::string Utf8ToUtf16(std::string_view text, Utf16Order order)
{
    std::string units;
    units.reserve(text.size() * 2);
    std::size_t i = 0;
    while (i < text.size()) {
        std::uint32_t code = 0;
        std::size_t length = Utf8Sequence(text, i, code, true);
        if (length == 0) {
            code = static_cast<unsigned char>(text[i]);
            length = 1;
        }
        if (code >= 0x10000) {
            AppendUnit(units, 0xD800 + ((code - 0x10000) >> 10), order);
            AppendUnit(units, 0xDC00 + ((code - 0x10000) & 0x3FF), order);
        } else {
            AppendUnit(units, code, order);
        }
        i += length;
    }
    return units;
}
