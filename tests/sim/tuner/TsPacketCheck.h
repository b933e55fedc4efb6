#pragma once
// A test's own reading of a transport stream, packet by packet: sync bytes,
// continuity per PID, section CRCs of tables that fit in one packet, PCR
// spacing. Independent of the generator it checks.
#include "sim/tuner/Crc32Mpeg.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>

struct PacketCheck {
    std::uint64_t packets = 0;
    std::uint64_t syncErrors = 0;
    std::uint64_t continuityErrors = 0;
    std::map<int, std::uint64_t> perPid;
    std::map<int, int> lastCc;
    std::uint64_t pcrCount = 0;
    std::uint64_t lastPcrPacket = 0;
    std::uint64_t maxPcrGapPackets = 0;
    std::uint64_t badCrc = 0;
    std::set<int> tables;

    void Feed(const std::uint8_t* p)
    {
        ++packets;
        if (p[0] != 0x47) {
            ++syncErrors;
            return;
        }
        const int pid = ((p[1] & 0x1F) << 8) | p[2];
        ++perPid[pid];
        const int afc = (p[3] >> 4) & 3;
        const int cc = p[3] & 0x0F;
        if (pid != 0x1FFF && (afc & 1)) {
            if (lastCc.count(pid) && cc != ((lastCc[pid] + 1) & 0x0F)) ++continuityErrors;
            lastCc[pid] = cc;
        }
        std::size_t at = 4;
        if (afc & 2) {
            if (p[4] >= 7 && (p[5] & 0x10)) {
                if (pcrCount) maxPcrGapPackets = std::max(maxPcrGapPackets, packets - lastPcrPacket);
                ++pcrCount;
                lastPcrPacket = packets;
            }
            at += 1 + p[4];
        }
        // Sections that start in this packet and fit in it.
        if ((pid == 0 || pid == 0x11 || (pid >= 0x1000 && pid < 0x1010)) && (p[1] & 0x40)) {
            at += 1 + p[at];
            const std::size_t length = ((p[at + 1] & 0x0F) << 8 | p[at + 2]) + 3;
            if (at + length <= 188) {
                tables.insert(p[at]);
                if (sim::Crc32Mpeg(p + at, length) != 0) ++badCrc;
            }
        }
    }
};
