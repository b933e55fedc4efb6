#pragma once
// The Capture Control page's limit arithmetic: the percentage of a size or
// time limit reached, the time left, and where a recording stops (above 100
// percent, so at 101). Time is counted in ticks of the page's 100 ms timer,
// ten to a second. Pure: no Qt, no COM; any thread.
#include <cstdint>

// The entries' valid ranges.
inline constexpr std::uint32_t kTimeLimitMin = 1;      // seconds
inline constexpr std::uint32_t kTimeLimitMax = 65535;  // seconds
inline constexpr std::uint32_t kSizeLimitMin = 50;     // MB of 1024 KBytes
inline constexpr std::uint32_t kSizeLimitMax = 800000; // MB of 1024 KBytes
inline constexpr std::uint32_t kTicksPerSecond = 10;

// kbytes * 100 / (megabytes * 1024), rounded down, without overflow. A limit
// of 0 has no percentage: it is taken as reached at once (101).
std::uint32_t SizePercent(std::uint64_t kbytes, std::uint32_t megabytes);
// ticks * 10 / seconds, rounded down; a limit of 0 is reached at once (101).
std::uint32_t TimePercent(std::uint32_t ticks, std::uint32_t seconds);
// seconds - ticks / 10, never below 0 (the stop tick of a long limit would
// otherwise count past it).
std::uint32_t TimeLeftSeconds(std::uint32_t ticks, std::uint32_t seconds);
// A recording stops at the first tick above 100 percent.
constexpr bool LimitReached(std::uint32_t percent) { return percent > 100; }
