#pragma once
// UTF-16 text files with a byte order mark (FF FE little-endian, FE FF
// big-endian), as Windows writes "Unicode" text, carried through the 8-bit
// readers as UTF-8 and back without losing a byte: a lone surrogate travels
// as its three-byte form (which the UTF-8 readers see as three Latin-1
// characters) and an odd last byte is returned apart. Pure; any thread.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum class Utf16Order { LittleEndian, BigEndian };

// The byte order a file's first bytes announce; nothing for other files.
std::optional<Utf16Order> Utf16BomOrder(std::string_view fileBytes);

struct Utf8FromUtf16 {
    std::string text;    // UTF-8, lone surrogates in their three-byte form
    std::string oddByte; // the last byte when the length is odd, else empty
};

// Length of the UTF-8 sequence at text[i] and its code point, or 0 when none
// starts there; encoded surrogates count only when surrogates is true.
std::size_t Utf8Sequence(std::string_view text, std::size_t i, std::uint32_t& code, bool surrogates);

// The code units after the mark (units: the bytes without it) as UTF-8.
Utf8FromUtf16 Utf16ToUtf8(std::string_view units, Utf16Order order);

// The reverse: UTF-8 (three-byte surrogates included) as UTF-16 code units,
// without a mark; a byte that starts no valid sequence is the Latin-1
// character of its value, as the 8-bit readers take it.
std::string Utf8ToUtf16(std::string_view text, Utf16Order order);
