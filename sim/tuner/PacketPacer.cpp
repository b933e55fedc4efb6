#include "sim/tuner/PacketPacer.h"

#include <algorithm>

namespace sim {

namespace {
constexpr std::uint64_t kPacketBits = 188 * 8;
}

PacketPacer::PacketPacer(std::uint64_t bitrate, std::int64_t startMs)
    : m_bitrate(std::max<std::uint64_t>(1, bitrate)),
      m_start(startMs)
{}

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

std::uint64_t PacketPacer::Pending(std::int64_t nowMs) const
{
    const std::uint64_t due = DueBy(nowMs);
    return due > m_taken ? due - m_taken : 0;
}

std::int64_t PacketPacer::MsUntilPending(std::int64_t nowMs, std::uint64_t count) const
{
    if (count == 0 || Pending(nowMs) >= count) {
        return 0;
    }
    return std::max<std::int64_t>(0, DueAtMs(m_taken + count) - nowMs);
}

std::int64_t PacketPacer::DueAtMs(std::uint64_t n) const
{
    // When packet n has its last bit.
    const std::uint64_t bits = n * kPacketBits;
    const std::uint64_t dueMs = (bits / m_bitrate) * 1000 + ((bits % m_bitrate) * 1000 + m_bitrate - 1) / m_bitrate;
    return m_start + static_cast<std::int64_t>(dueMs);
}

} // namespace sim
