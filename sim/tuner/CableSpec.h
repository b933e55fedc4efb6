#pragma once
// What hangs on a tuner's LNB cable, as a world describes it: the real LNB,
// a committed switch with ports A to D, and on any port a fixed LNB aimed at
// one satellite or the motorised dish.
#include "sim/tuner/Dish.h"

#include <array>
#include <cstdint>

namespace sim {

// The LNB on every port: its oscillators and the band switch frequency, MHz.
struct LnbSpec {
    std::uint32_t lowMhz = 9750;
    std::uint32_t highMhz = 10600;
    std::uint32_t switchMhz = 11700;
};

enum class PortKind { None, FixedLnb, Motor };

struct PortSpec {
    PortKind kind = PortKind::None;
    int positionCode = 0; // FixedLnb: the satellite it is aimed at (tenths of a degree east)
};

struct CableSpec {
    LnbSpec lnb;
    std::array<PortSpec, 4> ports{}; // A, B, C, D
    int defaultPort = 0;             // 0 to 3: the port in use before any switch command
    DishSettings motor;
    // Whether the motor obeys a repeated transmission that follows (or
    // precedes) the same message's first transmission.
    bool motorActsOnRepeat = false;
};

} // namespace sim
