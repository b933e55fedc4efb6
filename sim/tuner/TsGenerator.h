#pragma once
// A valid MPEG-2 transport stream (ISO/IEC 13818-1) for a locked transponder:
// PAT, one PMT per service, the DVB SDT (EN 300 468) with the service names,
// per service one elementary stream of private PES data whose packets carry
// the service's PCR, and null packets filling the rest of the bitrate.
// Continuity counters run unbroken per PID.
//
// The generator works on stream time: packet k starts at k * 1504 / bitrate
// seconds, and PCR values, table repetition (PAT and PMT every 100 ms, SDT
// every 500 ms, PCR every 30 ms) and the elementary streams' share (60 % of
// the packets) follow that time. When packets are taken is the caller's
// business. Not thread-safe: one streaming thread uses one generator.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace sim {

inline constexpr std::size_t kTsPacketSize = 188;

struct TsStreamConfig {
    std::uint64_t bitrate = 1'000'000; // bits per second, at least 1
    std::uint16_t transportStreamId = 1;
    std::uint16_t originalNetworkId = 1;
    std::string provider;              // provider name in the SDT (cut to 32 bytes)
    std::vector<std::string> services; // at most 8 are carried, names cut to 64 bytes
};

class TsGenerator {
public:
    explicit TsGenerator(TsStreamConfig config);

    // Writes as many whole packets as fit into the buffer and returns the
    // bytes written (a multiple of 188).
    std::size_t Generate(std::uint8_t* buffer, std::size_t size);
    std::uint64_t PacketsGenerated() const { return m_packet; }

    // PIDs: PMT of service i at 0x1000 + i, its elementary stream at
    // 0x100 + i; service ids 1, 2, ...
    static std::uint16_t PmtPid(std::size_t service) { return static_cast<std::uint16_t>(0x1000 + service); }
    static std::uint16_t EsPid(std::size_t service) { return static_cast<std::uint16_t>(0x100 + service); }

private:
    using Packet = std::vector<std::uint8_t>;

    void WritePacket(std::uint8_t* out);
    // Queues a section cut into packets on its PID.
    void QueueSection(std::uint16_t pid, const std::vector<std::uint8_t>& section);
    void WriteEsPacket(std::uint8_t* out, std::size_t service, bool withPcr);
    // 27 MHz clock value at the start of the current packet.
    std::uint64_t Now27MHz() const;
    std::uint8_t NextCc(std::uint16_t pid);

    TsStreamConfig m_config;
    std::vector<std::uint8_t> m_pat;
    std::vector<std::vector<std::uint8_t>> m_pmts;
    std::vector<std::uint8_t> m_sdt;

    std::uint64_t m_packet = 0;
    std::deque<Packet> m_pending;
    std::uint64_t m_nextPat = 0;
    std::uint64_t m_nextSdt = 0;
    std::vector<std::uint64_t> m_nextPcr;
    double m_esCredit = 0.0;
    std::size_t m_nextService = 0;
    std::vector<std::uint8_t> m_cc; // by PID, 8192 entries
    std::uint64_t m_payloadCounter = 0;
};

} // namespace sim
