#include "record/RecordLimits.h"

#include <algorithm>

namespace {
constexpr std::uint32_t kReachedAtOnce = 101;
}

std::uint32_t SizePercent(std::uint64_t kbytes, std::uint32_t megabytes)
{
    if (megabytes == 0) return kReachedAtOnce;
    const std::uint64_t limitKBytes = std::uint64_t{megabytes} * 1024;
    // A file of up to 2^64 KBytes times 100 would overflow; past the limit
    // any value above 100 says the same.
    const std::uint64_t percent = kbytes / limitKBytes >= 2 ? 200 : kbytes * 100 / limitKBytes;
    return static_cast<std::uint32_t>(percent);
}

std::uint32_t TimePercent(std::uint32_t ticks, std::uint32_t seconds)
{
    if (seconds == 0) return kReachedAtOnce;
    return static_cast<std::uint32_t>(std::uint64_t{ticks} * kTicksPerSecond / seconds);
}

std::uint32_t TimeLeftSeconds(std::uint32_t ticks, std::uint32_t seconds)
{
    const std::uint32_t elapsed = ticks / kTicksPerSecond;
    return elapsed >= seconds ? 0 : seconds - elapsed;
}
