#include "tools/tscheck/TsCheck.h"

#include <array>
#include <cstdio>
#include <map>

namespace {

constexpr std::size_t kPacket = 188;
constexpr std::uint16_t kNullPid = 0x1FFF;
constexpr std::uint16_t kPatPid = 0x0000;
constexpr std::uint16_t kSdtPid = 0x0011;
constexpr std::uint8_t kPatTable = 0x00;
constexpr std::uint8_t kSdtActualTable = 0x42;
constexpr double kPcrClock = 27'000'000.0;

using Bytes = std::vector<std::uint8_t>;

// Gathers the sections of one PID from the packets' payloads.
class SectionReader {
public:
    // Feeds one payload; returns the sections completed by it.
    std::vector<Bytes> Feed(const std::uint8_t* payload, std::size_t size, bool unitStart)
    {
        std::vector<Bytes> done;
        std::size_t at = 0;
        if (unitStart) {
            if (size == 0) return done;
            const std::size_t pointer = payload[0];
            at = 1;
            if (m_collecting && at + pointer <= size) {
                m_section.insert(m_section.end(), payload + at, payload + at + pointer);
                Complete(done);
            }
            m_section.clear();
            m_collecting = true;
            at += pointer;
        }
        if (!m_collecting) return done;
        while (at < size) {
            if (m_section.empty() && payload[at] == 0xFF) break; // stuffing after the last section
            m_section.push_back(payload[at++]);
            if (Complete(done)) m_section.clear();
        }
        return done;
    }

private:
    // True when the collected bytes hold a whole section, which then moves to done.
    bool Complete(std::vector<Bytes>& done)
    {
        if (m_section.size() < 3) return false;
        const std::size_t length = 3 + (((m_section[1] & 0x0F) << 8) | m_section[2]);
        if (m_section.size() < length) return false;
        m_section.resize(length);
        done.push_back(m_section);
        return true;
    }

    Bytes m_section;
    bool m_collecting = false;
};

std::vector<TsService> ReadPat(const Bytes& section)
{
    std::vector<TsService> services;
    // Header of 8 bytes, then 4 bytes per program, then the CRC.
    for (std::size_t at = 8; at + 4 + 4 <= section.size(); at += 4) {
        const std::uint16_t program = static_cast<std::uint16_t>((section[at] << 8) | section[at + 1]);
        if (program != 0) services.push_back({program, {}}); // 0 names the network PID
    }
    return services;
}

// service id -> name, from an SDT section.
std::map<std::uint16_t, std::string> ReadSdt(const Bytes& section)
{
    std::map<std::uint16_t, std::string> names;
    const std::size_t end = section.size() >= 4 ? section.size() - 4 : 0;
    std::size_t at = 11;
    while (at + 5 <= end) {
        const std::uint16_t id = static_cast<std::uint16_t>((section[at] << 8) | section[at + 1]);
        const std::size_t loop = ((section[at + 3] & 0x0F) << 8) | section[at + 4];
        std::size_t d = at + 5;
        const std::size_t loopEnd = std::min(end, d + loop);
        while (d + 2 <= loopEnd) {
            const std::uint8_t tag = section[d];
            const std::size_t length = section[d + 1];
            if (d + 2 + length > loopEnd) break;
            if (tag == 0x48 && length >= 2) { // service descriptor: type, provider, name
                const std::size_t providerLength = section[d + 3];
                const std::size_t nameAt = d + 4 + providerLength;
                if (nameAt < d + 2 + length) {
                    const std::size_t nameLength = std::min<std::size_t>(section[nameAt], d + 2 + length - nameAt - 1);
                    names[id] = std::string(reinterpret_cast<const char*>(&section[nameAt + 1]), nameLength);
                }
            }
            d += 2 + length;
        }
        at = loopEnd;
    }
    return names;
}

// The PCR of a packet with an adaptation field that carries one.
bool ReadPcr(const std::uint8_t* p, std::uint64_t& pcr)
{
    if ((p[3] & 0x20) == 0 || p[4] < 7 || (p[5] & 0x10) == 0) return false;
    const std::uint64_t base = (std::uint64_t{p[6]} << 25) | (std::uint64_t{p[7]} << 17) | (std::uint64_t{p[8]} << 9) |
        (std::uint64_t{p[9]} << 1) | (p[10] >> 7);
    const std::uint64_t extension = ((p[10] & 0x01u) << 8) | p[11];
    pcr = base * 300 + extension;
    return true;
}

} // namespace

TsCheckResult CheckTransportStream(std::string_view bytes)
{
    TsCheckResult r;
    r.bytes = bytes.size();
    r.packets = bytes.size() / kPacket;
    r.partialBytes = bytes.size() % kPacket;

    std::array<int, 8192> lastCc;
    lastCc.fill(-1);
    std::array<bool, 8192> seen{};
    SectionReader pat;
    SectionReader sdt;
    std::map<std::uint16_t, std::string> names;
    bool patDone = false;
    bool pcrFound = false;
    std::uint64_t firstPcr = 0, lastPcr = 0, firstPcrAt = 0, lastPcrAt = 0;

    for (std::uint64_t k = 0; k < r.packets; ++k) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data() + k * kPacket);
        if (p[0] != 0x47) {
            if (r.syncLosses++ == 0) r.firstSyncLoss = k * kPacket;
            continue;
        }
        const std::uint16_t pid = static_cast<std::uint16_t>(((p[1] & 0x1F) << 8) | p[2]);
        if (!seen[pid]) {
            seen[pid] = true;
            ++r.pids;
        }
        if (pid == kNullPid) continue;
        const bool hasPayload = (p[3] & 0x10) != 0;
        if (hasPayload) {
            const int cc = p[3] & 0x0F;
            int& previous = lastCc[pid];
            if (previous >= 0 && cc != ((previous + 1) & 0x0F)) {
                if (r.continuityErrors++ == 0) r.firstContinuityError = k * kPacket;
            }
            previous = cc;
        }
        std::uint64_t pcr = 0;
        if (ReadPcr(p, pcr) && (!pcrFound || pid == r.pcrPid)) {
            if (!pcrFound) {
                pcrFound = true;
                r.pcrPid = pid;
                firstPcr = pcr;
                firstPcrAt = k * kPacket;
            }
            lastPcr = pcr;
            lastPcrAt = k * kPacket;
        }
        if (!hasPayload || (pid != kPatPid && pid != kSdtPid)) continue;
        std::size_t start = 4;
        if (p[3] & 0x20) start += 1 + std::size_t{p[4]};
        if (start >= kPacket) continue;
        const bool unitStart = (p[1] & 0x40) != 0;
        SectionReader& reader = pid == kPatPid ? pat : sdt;
        for (const Bytes& section : reader.Feed(p + start, kPacket - start, unitStart)) {
            if (pid == kPatPid && !patDone && section[0] == kPatTable) {
                r.services = ReadPat(section);
                r.hasPat = true;
                patDone = true;
            } else if (pid == kSdtPid && section[0] == kSdtActualTable) {
                for (auto& [id, name] : ReadSdt(section)) names[id] = name;
            }
        }
    }
    for (TsService& service : r.services) {
        if (auto it = names.find(service.id); it != names.end()) service.name = it->second;
    }
    // The clock wraps after about 26.5 hours: a recording that long is not a
    // short check's business, and a wrapped span gives no rate.
    if (pcrFound && lastPcr > firstPcr) {
        r.bitrate =
            static_cast<double>(lastPcrAt - firstPcrAt) * 8.0 * kPcrClock / static_cast<double>(lastPcr - firstPcr);
    }
    return r;
}

std::string DescribeCheck(const TsCheckResult& r)
{
    char line[200];
    std::string text;
    std::snprintf(line, sizeof line, "packets: %llu of 188 bytes on %u PIDs",
                  static_cast<unsigned long long>(r.packets), r.pids);
    text += line;
    if (r.syncLosses) {
        std::snprintf(line, sizeof line, ", %llu out of sync (first at byte %llu)",
                      static_cast<unsigned long long>(r.syncLosses), static_cast<unsigned long long>(r.firstSyncLoss));
        text += line;
    } else {
        text += ", all in sync";
    }
    if (r.partialBytes) {
        std::snprintf(line, sizeof line, ", %llu bytes of a cut packet at the end",
                      static_cast<unsigned long long>(r.partialBytes));
        text += line;
    }
    text += "\n";
    if (r.continuityErrors) {
        std::snprintf(line, sizeof line, "continuity: %llu breaks (first at byte %llu)\n",
                      static_cast<unsigned long long>(r.continuityErrors),
                      static_cast<unsigned long long>(r.firstContinuityError));
        text += line;
    } else {
        text += "continuity: unbroken\n";
    }
    if (!r.hasPat) {
        text += "services: none (no complete PAT)\n";
    } else {
        text += "services: " + std::to_string(r.services.size());
        const char* separator = " (";
        for (const TsService& s : r.services) {
            text += separator + std::to_string(s.id) + (s.name.empty() ? "" : " \"" + s.name + "\"");
            separator = ", ";
        }
        text += r.services.empty() ? "\n" : ")\n";
    }
    if (r.bitrate > 0) {
        std::snprintf(line, sizeof line, "rate: %.3f Mbit/s (from the PCR of PID %u)\n", r.bitrate / 1e6, r.pcrPid);
        text += line;
    } else {
        text += "rate: unknown (fewer than two PCRs)\n";
    }
    return text;
}
