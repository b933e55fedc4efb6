#pragma once
// The DVB-S2 physical-layer scrambling sequence (EN 302 307, 5.5.4) named two
// ways. The sequence with gold code n starts the 18-bit x register n steps
// after its initial state x(0) = 1, x(1..17) = 0, where
// x(i+18) = x(i+7) + x(i) modulo 2; the root code is that register state,
// x(i) in bit 0. Gold 0 is root 1, the default sequence.
#include <cstdint>

namespace sim {

inline constexpr std::uint32_t kMaxGoldCode = 262142; // 2^18 - 2: the sequence period is 2^18 - 1
inline constexpr std::uint32_t kMaxRootCode = 262143; // any non-zero 18-bit state

// The root code of gold code n (0 to kMaxGoldCode).
std::uint32_t GoldToRoot(std::uint32_t gold);
// The gold code of a root code (1 to kMaxRootCode); every non-zero state lies
// on the one period of the register.
std::uint32_t RootToGold(std::uint32_t root);

} // namespace sim
