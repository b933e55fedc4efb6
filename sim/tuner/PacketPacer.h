#pragma once
// Paces a stream of 188-byte packets at a bitrate against a clock: how many
// whole packets have come due since the start and have not been taken yet.
// Integer arithmetic, so the count after any time is exact (rounded down)
// and never drifts. Not thread-safe: one streaming thread owns it.
#include <cstdint>

namespace sim {

class PacketPacer {
public:
    // bitrate in bits per second (at least 1); startMs on the caller's clock.
    PacketPacer(std::uint64_t bitrate, std::int64_t startMs);

    // Packets due by nowMs and not yet taken, at most maxPackets; they count
    // as taken.
    std::uint64_t Take(std::int64_t nowMs, std::uint64_t maxPackets);
    // Packets due by nowMs and not yet taken.
    std::uint64_t Pending(std::int64_t nowMs) const;
    // Milliseconds from nowMs until the next packet comes due (0 when one is).
    std::int64_t MsUntilNext(std::int64_t nowMs) const { return MsUntilPending(nowMs, 1); }
    // Milliseconds from nowMs until at least count packets are pending (0
    // when they are), rounded up.
    std::int64_t MsUntilPending(std::int64_t nowMs, std::uint64_t count) const;
    // The time the first n packets since the start are complete, rounded up
    // to a millisecond: packet n (counting from 1) is due then.
    std::int64_t DueAtMs(std::uint64_t n) const;
    std::uint64_t Taken() const { return m_taken; }

private:
    std::uint64_t DueBy(std::int64_t nowMs) const;

    std::uint64_t m_bitrate;
    std::int64_t m_start;
    std::uint64_t m_taken = 0;
};

} // namespace sim
