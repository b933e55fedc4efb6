#include "sim/tuner/ScramblingCode.h"

namespace sim {

namespace {

// One step of the x register: shift out x(i), shift in x(i+7) + x(i).
constexpr std::uint32_t Step(std::uint32_t x) { return (x >> 1) | (((x ^ (x >> 7)) & 1u) << 17); }

} // namespace

std::uint32_t GoldToRoot(std::uint32_t gold)
{
    std::uint32_t x = 1;
    for (std::uint32_t n = 0; n < gold % (kMaxGoldCode + 1); ++n) {
        x = Step(x);
    }
    return x;
}

std::uint32_t RootToGold(std::uint32_t root)
{
    root &= kMaxRootCode;
    std::uint32_t x = 1;
    for (std::uint32_t n = 0; n <= kMaxGoldCode; ++n) {
        if (x == root) {
            return n;
        }
        x = Step(x);
    }
    return 0; // root 0 is no state of the register; callers refuse it first
}

} // namespace sim
