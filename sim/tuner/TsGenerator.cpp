#include "sim/tuner/TsGenerator.h"

#include "sim/tuner/Crc32Mpeg.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace sim {

namespace {

constexpr std::uint16_t kPatPid = 0x0000;
constexpr std::uint16_t kSdtPid = 0x0011;
constexpr std::uint16_t kNullPid = 0x1FFF;

constexpr std::uint64_t k27MHz = 27'000'000;
constexpr std::uint64_t kPatInterval = k27MHz / 10; // 100 ms, PMTs with it
constexpr std::uint64_t kSdtInterval = k27MHz / 2;  // 500 ms
constexpr std::uint64_t kPcrInterval = k27MHz * 30 / 1000;
constexpr double kEsShare = 0.6;
constexpr std::size_t kMaxServices = 8;
// PTS runs this far ahead of the PCR, as a decoder's buffer would need.
constexpr std::uint64_t kPtsLead90kHz = 90'000 / 5;

constexpr std::uint8_t kStreamTypePrivatePes = 0x06;
constexpr std::uint8_t kStreamIdPrivate1 = 0xBD;
constexpr std::uint8_t kServiceTypeData = 0x0C;

// The elementary streams' data bytes count up modulo 256. Copying a run of
// them out of a ramp that covers any start and the longest run keeps the
// stream thread's cost per packet low also in unoptimised, instrumented
// builds, where a loop per byte let a fast transponder's stream fall behind
// the clock (and overrun the card) on a busy machine.
constexpr std::size_t kMaxEsDataBytes = kTsPacketSize - 4 - 14;
constexpr auto kPayloadRamp = [] {
    std::array<std::uint8_t, 256 + kMaxEsDataBytes> ramp{};
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<std::uint8_t>(i);
    return ramp;
}();

void Put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

// Fills in section_length and appends the CRC. The section starts with
// table_id and a placeholder length.
std::vector<std::uint8_t> Finish(std::vector<std::uint8_t> section, std::uint8_t flags)
{
    const std::size_t length = section.size() - 3 + 4; // after the length field, CRC included
    section[1] = static_cast<std::uint8_t>(flags | ((length >> 8) & 0x0F));
    section[2] = static_cast<std::uint8_t>(length);
    const std::uint32_t crc = Crc32Mpeg(section.data(), section.size());
    for (int shift = 24; shift >= 0; shift -= 8) {
        section.push_back(static_cast<std::uint8_t>(crc >> shift));
    }
    return section;
}

// The long-form header shared by PAT, PMT and SDT: table id, length
// placeholder, table id extension, version 0 current, section 0 of 0.
std::vector<std::uint8_t> SectionHead(std::uint8_t tableId, unsigned extension)
{
    std::vector<std::uint8_t> s = {tableId, 0, 0};
    Put16(s, extension);
    s.push_back(0xC1);
    s.push_back(0x00);
    s.push_back(0x00);
    return s;
}

} // namespace

TsGenerator::TsGenerator(TsStreamConfig config) : m_config(std::move(config)), m_cc(8192, 0)
{
    m_config.bitrate = std::max<std::uint64_t>(1, m_config.bitrate);
    if (m_config.services.empty()) {
        m_config.services.push_back("Service 1");
    }
    if (m_config.services.size() > kMaxServices) {
        m_config.services.resize(kMaxServices);
    }
    for (auto& name : m_config.services) {
        name = name.substr(0, 64);
    }
    m_config.provider = m_config.provider.substr(0, 32);
    const std::size_t count = m_config.services.size();

    auto pat = SectionHead(0x00, m_config.transportStreamId);
    for (std::size_t i = 0; i < count; ++i) {
        Put16(pat, static_cast<unsigned>(i + 1));
        Put16(pat, 0xE000u | PmtPid(i));
    }
    m_pat = Finish(std::move(pat), 0xB0);

    for (std::size_t i = 0; i < count; ++i) {
        auto pmt = SectionHead(0x02, static_cast<unsigned>(i + 1));
        Put16(pmt, 0xE000u | EsPid(i)); // PCR PID
        Put16(pmt, 0xF000u);            // no program descriptors
        pmt.push_back(kStreamTypePrivatePes);
        Put16(pmt, 0xE000u | EsPid(i));
        Put16(pmt, 0xF000u);
        m_pmts.push_back(Finish(std::move(pmt), 0xB0));
    }

    auto sdt = SectionHead(0x42, m_config.transportStreamId);
    Put16(sdt, m_config.originalNetworkId);
    sdt.push_back(0xFF);
    for (std::size_t i = 0; i < count; ++i) {
        const auto& name = m_config.services[i];
        const auto& provider = m_config.provider;
        const unsigned descriptorLength = static_cast<unsigned>(3 + provider.size() + name.size());
        Put16(sdt, static_cast<unsigned>(i + 1));
        sdt.push_back(0xFC);                          // no EIT
        Put16(sdt, 0x8000u | (descriptorLength + 2)); // running, not scrambled
        sdt.push_back(0x48);                          // service descriptor
        sdt.push_back(static_cast<std::uint8_t>(descriptorLength));
        sdt.push_back(kServiceTypeData);
        sdt.push_back(static_cast<std::uint8_t>(provider.size()));
        sdt.insert(sdt.end(), provider.begin(), provider.end());
        sdt.push_back(static_cast<std::uint8_t>(name.size()));
        sdt.insert(sdt.end(), name.begin(), name.end());
    }
    m_sdt = Finish(std::move(sdt), 0xF0);

    m_nextPcr.assign(count, 0);
}

std::uint64_t TsGenerator::Now27MHz() const
{
    // Split into whole seconds and the rest so nothing overflows 64 bits.
    const std::uint64_t bits = m_packet * kTsPacketSize * 8;
    const std::uint64_t seconds = bits / m_config.bitrate;
    const std::uint64_t rest = bits % m_config.bitrate;
    return seconds * k27MHz + rest * k27MHz / m_config.bitrate;
}

std::uint8_t TsGenerator::NextCc(std::uint16_t pid)
{
    const std::uint8_t cc = m_cc[pid];
    m_cc[pid] = static_cast<std::uint8_t>((cc + 1) & 0x0F);
    return cc;
}

void TsGenerator::QueueSection(std::uint16_t pid, const std::vector<std::uint8_t>& section)
{
    std::size_t offset = 0;
    bool first = true;
    while (offset < section.size()) {
        Packet packet(kTsPacketSize, 0xFF);
        packet[0] = 0x47;
        packet[1] = static_cast<std::uint8_t>((first ? 0x40 : 0x00) | (pid >> 8));
        packet[2] = static_cast<std::uint8_t>(pid);
        packet[3] = static_cast<std::uint8_t>(0x10 | NextCc(pid));
        std::size_t at = 4;
        if (first) {
            packet[at++] = 0x00; // pointer field: the section starts right here
        }
        const std::size_t take = std::min(kTsPacketSize - at, section.size() - offset);
        std::memcpy(packet.data() + at, section.data() + offset, take);
        offset += take;
        first = false;
        m_pending.push_back(std::move(packet));
    }
}

void TsGenerator::WriteEsPacket(std::uint8_t* out, std::size_t service, bool withPcr)
{
    const std::uint16_t pid = EsPid(service);
    const std::uint64_t now = Now27MHz();
    std::memset(out, 0xFF, kTsPacketSize);
    out[0] = 0x47;
    out[1] = static_cast<std::uint8_t>(0x40 | (pid >> 8)); // every packet starts one PES packet
    out[2] = static_cast<std::uint8_t>(pid);
    out[3] = static_cast<std::uint8_t>((withPcr ? 0x30 : 0x10) | NextCc(pid));
    std::size_t at = 4;
    if (withPcr) {
        const std::uint64_t base = (now / 300) & ((1ull << 33) - 1);
        const std::uint64_t extension = now % 300;
        out[at++] = 7;    // adaptation field length
        out[at++] = 0x10; // PCR flag
        out[at++] = static_cast<std::uint8_t>(base >> 25);
        out[at++] = static_cast<std::uint8_t>(base >> 17);
        out[at++] = static_cast<std::uint8_t>(base >> 9);
        out[at++] = static_cast<std::uint8_t>(base >> 1);
        out[at++] = static_cast<std::uint8_t>(((base & 1) << 7) | 0x7E | (extension >> 8));
        out[at++] = static_cast<std::uint8_t>(extension);
    }
    // PES header with a PTS, then data bytes up to the packet's end.
    const std::size_t dataBytes = kTsPacketSize - at - 14;
    const std::uint64_t pts = (now / 300 + kPtsLead90kHz) & ((1ull << 33) - 1);
    const unsigned pesLength = static_cast<unsigned>(3 + 5 + dataBytes);
    const std::uint8_t header[14] = {
        0x00,
        0x00,
        0x01,
        kStreamIdPrivate1,
        static_cast<std::uint8_t>(pesLength >> 8),
        static_cast<std::uint8_t>(pesLength),
        0x80,
        0x80,
        0x05,
        static_cast<std::uint8_t>(0x21 | ((pts >> 29) & 0x0E)),
        static_cast<std::uint8_t>(pts >> 22),
        static_cast<std::uint8_t>(((pts >> 14) & 0xFE) | 1),
        static_cast<std::uint8_t>(pts >> 7),
        static_cast<std::uint8_t>(((pts << 1) & 0xFE) | 1),
    };
    std::memcpy(out + at, header, sizeof header);
    at += sizeof header;
    std::memcpy(out + at, kPayloadRamp.data() + (m_payloadCounter & 0xFF), dataBytes);
    m_payloadCounter += dataBytes;
}

void TsGenerator::WritePacket(std::uint8_t* out)
{
    const std::uint64_t now = Now27MHz();
    if (m_pending.empty() && now >= m_nextPat) {
        QueueSection(kPatPid, m_pat);
        for (std::size_t i = 0; i < m_pmts.size(); ++i) {
            QueueSection(PmtPid(i), m_pmts[i]);
        }
        m_nextPat = now + kPatInterval;
    }
    if (m_pending.empty() && now >= m_nextSdt) {
        QueueSection(kSdtPid, m_sdt);
        m_nextSdt = now + kSdtInterval;
    }

    if (!m_pending.empty()) {
        std::memcpy(out, m_pending.front().data(), kTsPacketSize);
        m_pending.pop_front();
        return;
    }
    // A PCR that is due goes out at once, whatever the elementary stream's share.
    for (std::size_t i = 0; i < m_nextPcr.size(); ++i) {
        if (now >= m_nextPcr[i]) {
            m_nextPcr[i] = now + kPcrInterval;
            WriteEsPacket(out, i, true);
            return;
        }
    }
    m_esCredit += kEsShare;
    if (m_esCredit >= 1.0) {
        m_esCredit -= 1.0;
        WriteEsPacket(out, m_nextService, false);
        m_nextService = (m_nextService + 1) % m_nextPcr.size();
        return;
    }
    std::memset(out, 0xFF, kTsPacketSize);
    out[0] = 0x47;
    out[1] = static_cast<std::uint8_t>(kNullPid >> 8);
    out[2] = static_cast<std::uint8_t>(kNullPid & 0xFF);
    out[3] = 0x10; // payload only; a decoder ignores the null PID's counter
}

std::size_t TsGenerator::Generate(std::uint8_t* buffer, std::size_t size)
{
    if (!buffer) {
        return 0;
    }
    const std::size_t packets = size / kTsPacketSize;
    for (std::size_t i = 0; i < packets; ++i) {
        WritePacket(buffer + i * kTsPacketSize);
        ++m_packet;
    }
    return packets * kTsPacketSize;
}

} // namespace sim
