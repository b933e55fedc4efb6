#include "sim/tuner/CaptureStream.h"

#include "platform/com/Journal.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr std::uint64_t kPacketBits = kTsPacketSize * 8;

} // namespace

CaptureStream::CaptureStream(std::uint64_t samplePackets)
    : m_samplePackets(std::clamp<std::uint64_t>(samplePackets, 1, kSamplePackets))
{}

std::optional<CaptureStream::Key> CaptureStream::KeyOf(const std::optional<LockedStream>& locked)
{
    if (!locked || locked->output == OutputFormat::None) {
        return std::nullopt;
    }
    return Key{locked->satelliteName, locked->transponder.frequencyMhz, locked->transponder.polarisation,
               locked->inputStreamId, locked->output};
}

CaptureStream::Step CaptureStream::Plan(const std::optional<LockedStream>& locked, std::int64_t nowMs)
{
    const auto key = KeyOf(locked);
    if (m_pacer && (m_endMs || key != m_key)) {
        // The demodulator left the stream: what arrived until then is still
        // in the card and goes out first, then the stream ends.
        if (!m_endMs) {
            m_endMs = nowMs;
        }
        const Step rest = PlanDelivery(*m_endMs, true);
        if (rest.packets) {
            return rest;
        }
        m_pacer.reset();
        m_endMs.reset();
    }
    if (!key) {
        return Step{0, kIdleWaitMs, std::nullopt};
    }

    std::optional<std::string> started;
    if (!m_pacer) {
        // At least one bit per second: a NaN or absurd rate must not stall the pacer.
        const std::uint64_t bitrate =
            locked->bitrate >= 1.0 ? static_cast<std::uint64_t>(std::llround(locked->bitrate)) : 1;
        if (!m_generator || key != m_key) {
            TsStreamConfig config;
            config.bitrate = bitrate;
            config.transportStreamId = static_cast<std::uint16_t>(locked->transponder.frequencyMhz);
            config.originalNetworkId = 1;
            config.provider = locked->satelliteName;
            config.services = locked->transponder.services;
            m_generator = std::make_unique<TsGenerator>(std::move(config));
            m_key = key;
        }
        m_pacer.emplace(bitrate, nowMs);
        m_capacity =
            std::max(2 * m_samplePackets, bitrate / 1000 * static_cast<std::uint64_t>(kCardBufferMs) / kPacketBits);
        m_discontinuity = true;
        started = "stream " + JournalQuote(locked->satelliteName) +
            " freq=" + std::to_string(locked->transponder.frequencyMhz) +
            " pol=" + PolarisationLetter(locked->transponder.polarisation) +
            " isi=" + std::to_string(locked->inputStreamId) + " bitrate=" + std::to_string(bitrate) +
            " output=" + (locked->output == OutputFormat::TransportStream ? "ts" : "gs");
    }
    Step step = PlanDelivery(nowMs, false);
    step.newStream = std::move(started);
    return step;
}

CaptureStream::Step CaptureStream::PlanDelivery(std::int64_t t, bool flush)
{
    m_planMs = t;
    m_planned = 0;
    std::uint64_t pending = m_pacer->Pending(t);
    if (pending > m_capacity) {
        // The card's buffer is full: the oldest packets were overwritten.
        Discard(pending - m_capacity);
        pending = m_capacity;
    }
    // The oldest packet still in the card (or the next one to come).
    const std::int64_t oldestDue = m_pacer->DueAtMs(m_pacer->Taken() + 1);
    std::uint64_t packets = 0;
    if (pending >= m_samplePackets) {
        packets = m_samplePackets;
    } else if (pending > 0 && (flush || t - oldestDue >= kMaxLatencyMs)) {
        packets = pending;
    }
    if (packets || flush) {
        m_planned = packets;
        return Step{packets, 0, std::nullopt};
    }
    const std::int64_t full = m_pacer->MsUntilPending(t, m_samplePackets);
    const std::int64_t latency = oldestDue + kMaxLatencyMs - t;
    return Step{0, std::max<std::int64_t>(1, std::min(full, latency)), std::nullopt};
}

void CaptureStream::Discard(std::uint64_t packets)
{
    // The lost packets still pass in the broadcast: the generator moves on
    // past them, so the receiver sees the gap in the continuity counters.
    m_scratch.resize(kSampleBytes);
    for (std::uint64_t left = packets; left > 0;) {
        const std::uint64_t chunk = std::min(left, kSamplePackets);
        m_generator->Generate(m_scratch.data(), chunk * kTsPacketSize);
        left -= chunk;
    }
    m_pacer->Take(m_planMs, packets);
    m_lost += packets;
    m_lostTotal += packets;
    m_discontinuity = true;
}

std::size_t CaptureStream::Fill(std::uint8_t* buffer, std::size_t size)
{
    const std::uint64_t packets = std::min<std::uint64_t>(m_planned, size / kTsPacketSize);
    if (!buffer || !m_generator || !m_pacer || packets == 0) {
        return 0;
    }
    const std::size_t written = m_generator->Generate(buffer, packets * kTsPacketSize);
    m_pacer->Take(m_planMs, packets);
    m_planned = 0;
    m_discontinuity = false;
    return written;
}

void CaptureStream::Halt()
{
    m_pacer.reset();
    m_endMs.reset();
    m_planned = 0;
}

std::uint64_t CaptureStream::TakeLostPackets()
{
    const std::uint64_t lost = m_lost;
    m_lost = 0;
    return lost;
}

} // namespace sim
