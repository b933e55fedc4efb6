#pragma once
// A little-endian integer stored as bytes, for driver payloads whose layout is
// fixed byte by byte. It has alignment 1, so structures made of these and of
// plain bytes have no padding, and it reads and writes the same on any host.
#include <cstddef>
#include <cstdint>
#include <type_traits>

template <class T>
struct LittleEndian {
    static_assert(std::is_integral_v<T>, "LittleEndian holds integers");
    using Unsigned = std::make_unsigned_t<T>;

    std::uint8_t bytes[sizeof(T)];

    constexpr T get() const
    {
        Unsigned value = 0;
        for (std::size_t i = sizeof(T); i-- > 0;) {
            value = static_cast<Unsigned>((value << 8) | bytes[i]);
        }
        return static_cast<T>(value);
    }
    constexpr void set(T value)
    {
        auto bits = static_cast<Unsigned>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            bytes[i] = static_cast<std::uint8_t>(bits & 0xFFu);
            bits = static_cast<Unsigned>(bits >> 8);
        }
    }

    constexpr operator T() const { return get(); }
    constexpr LittleEndian& operator=(T value)
    {
        set(value);
        return *this;
    }
};

using LE_ULONG = LittleEndian<std::uint32_t>;
using LE_LONG = LittleEndian<std::int32_t>;

static_assert(sizeof(LE_ULONG) == 4 && alignof(LE_ULONG) == 1);
static_assert(std::is_trivially_copyable_v<LE_ULONG> && std::is_standard_layout_v<LE_ULONG>);
