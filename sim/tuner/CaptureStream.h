#pragma once
// What the capture card does with the stream of the locked transponder: it
// collects the packets arriving at the transponder's useful bitrate in its
// own buffer and hands them out as samples of whole packets; it loses what
// its buffer cannot hold; it follows the demodulator to a new transponder.
// The capture filter's streaming thread asks Plan what to do now, fills a
// sample with Fill, and waits when told to. No threads and no COM here, so
// every decision can be checked against a clock moved by hand.
//
// Samples: kSamplePackets packets (65424 bytes, the 188-byte multiple just
// below 64 KiB, a usual DMA transfer of a capture card); a shorter sample
// when the oldest packet in the card has waited kMaxLatencyMs, so a slow
// transponder still reaches the program in good time; a shorter one too for
// what is left of a stream when the demodulator leaves it.
//
// The card's own buffer holds kCardBufferMs of stream (at least two samples).
// Packets beyond it, when the program has not taken them in time (no free
// buffer, or a receiver that keeps the streaming thread), are lost: counted
// as an overrun, and the next sample is marked as a discontinuity.
//
// Continuity: the generator of a transponder is kept while the demodulator
// stays on it, across unlock and relock, re-tunes to the same transponder
// and stop and run; its continuity counters restart only on a new
// transponder. A stream starts counting packets when it is first seen
// locked, never for time spent stopped or unlocked.
//
// Not thread-safe: one streaming thread at a time uses it.
#include "sim/tuner/Demodulator.h"
#include "sim/tuner/PacketPacer.h"
#include "sim/tuner/TsGenerator.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim {

class CaptureStream {
public:
    static constexpr std::uint64_t kSamplePackets = 348;
    static constexpr std::size_t kSampleBytes = kSamplePackets * kTsPacketSize;
    static constexpr std::int64_t kMaxLatencyMs = 100;
    static constexpr std::int64_t kCardBufferMs = 250;
    // How long to look again later when nothing is locked.
    static constexpr std::int64_t kIdleWaitMs = 20;

    struct Step {
        // Packets to deliver now (0: wait waitMs and ask again).
        std::uint64_t packets = 0;
        std::int64_t waitMs = 0;
        // Set when the step starts a stream: a line for the journal.
        std::optional<std::string> newStream;
    };

    // samplePackets: the packets a sample holds (1 to kSamplePackets; fewer
    // when the buffers agreed are smaller).
    explicit CaptureStream(std::uint64_t samplePackets = kSamplePackets);

    // What to do at nowMs, with the demodulator's stream (none while unlocked).
    Step Plan(const std::optional<LockedStream>& locked, std::int64_t nowMs);
    // Writes the packets of the last Plan (at most that many, and what fits
    // in size) into buffer; returns the bytes written. The packets count as
    // delivered whether or not the receiver takes them.
    std::size_t Fill(std::uint8_t* buffer, std::size_t size);
    // Whether the sample about to be filled follows a gap: the first of a
    // stream, or the first after lost packets. Cleared by Fill.
    bool Discontinuity() const { return m_discontinuity; }
    // The stream's packet number of the next packet Fill writes.
    std::uint64_t NextPacket() const { return m_generator ? m_generator->PacketsGenerated() : 0; }

    // The graph stopped: packets not yet delivered are gone, and time until
    // the next run does not count.
    void Halt();

    // Packets lost since the last call (an overrun episode), then 0.
    std::uint64_t TakeLostPackets();
    std::uint64_t LostPackets() const { return m_lostTotal; }
    std::uint64_t SamplePackets() const { return m_samplePackets; }

private:
    struct Key {
        std::string satellite;
        std::uint32_t frequencyMhz = 0;
        Polarisation polarisation = Polarisation::Horizontal;
        int inputStreamId = 0;
        OutputFormat output = OutputFormat::None;
        bool operator==(const Key&) const = default;
    };
    static std::optional<Key> KeyOf(const std::optional<LockedStream>& locked);
    // The delivery due at t on the running stream; flush delivers whatever
    // is pending.
    Step PlanDelivery(std::int64_t t, bool flush);
    void Discard(std::uint64_t packets);

    const std::uint64_t m_samplePackets;
    std::unique_ptr<TsGenerator> m_generator;
    std::optional<Key> m_key;            // the generator's transponder
    std::optional<PacketPacer> m_pacer;  // while a stream runs
    std::uint64_t m_capacity = 0;        // packets the card buffers, for the running stream
    std::optional<std::int64_t> m_endMs; // the running stream ended here
    std::int64_t m_planMs = 0;
    std::uint64_t m_planned = 0;
    bool m_discontinuity = false;
    std::uint64_t m_lost = 0;
    std::uint64_t m_lostTotal = 0;
    std::vector<std::uint8_t> m_scratch;
};

} // namespace sim
