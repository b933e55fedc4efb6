#include "sim/tuner/PacketPacer.h"

#include <algorithm>

namespace sim {

namespace {
constexpr std::uint64_t kPacketBits = 188 * 8;
}

PacketPacer::PacketPacer(std::uint64_t bitrate, std::int64_t startMs)
    : m_bitrate(std::max<std::uint64_t>(1, bitrate)), m_start(startMs)
{
}

std::uint64_t PacketPacer::DueBy(std::int64_t nowMs) const
{
    if (nowMs <= m_start) {
        return 0;
    }
    const auto elapsed = static_cast<std::uint64_t>(nowMs - m_start);
    // Whole seconds and the rest, so a long run cannot overflow.
    const std::uint64_t seconds = elapsed / 1000;
    const std::uint64_t rest = elapsed % 1000;
    return (seconds * m_bitrate + rest * m_bitrate / 1000) / kPacketBits;
}

std::uint64_t PacketPacer::Take(std::int64_t nowMs, std::uint64_t maxPackets)
{
    const std::uint64_t due = DueBy(nowMs);
    const std::uint64_t take = due > m_taken ? std::min(due - m_taken, maxPackets) : 0;
    m_taken += take;
    return take;
}

std::int64_t PacketPacer::MsUntilNext(std::int64_t nowMs) const
{
    if (DueBy(nowMs) > m_taken) {
        return 0;
    }
    // The time the next packet's last bit arrives, rounded up to a millisecond.
    const std::uint64_t bits = (m_taken + 1) * kPacketBits;
    const std::uint64_t dueMs = (bits / m_bitrate) * 1000 + ((bits % m_bitrate) * 1000 + m_bitrate - 1) / m_bitrate;
    const std::int64_t at = m_start + static_cast<std::int64_t>(dueMs);
    return std::max<std::int64_t>(0, at - nowMs);
}

} // namespace sim
