#include "dvb/DvbMediaInfo.h"

#include <linux/dvb/frontend.h>

#include <iterator>

namespace dvb {

namespace {

// The DVB-S2 MODCOD of each modulation and code rate (EN 302 307, table 12).
// QPSK 1/4 and 1/3 (MODCODs 1 and 2) have no FEC value in the DVB API.
struct ModcodRow {
    std::uint32_t modulation;
    std::uint32_t fec;
    std::uint32_t modcod;
};
constexpr ModcodRow kModcods[] = {
    {QPSK, FEC_2_5, 3},      {QPSK, FEC_1_2, 4},      {QPSK, FEC_3_5, 5},     {QPSK, FEC_2_3, 6},
    {QPSK, FEC_3_4, 7},      {QPSK, FEC_4_5, 8},      {QPSK, FEC_5_6, 9},     {QPSK, FEC_8_9, 10},
    {QPSK, FEC_9_10, 11},    {PSK_8, FEC_3_5, 12},    {PSK_8, FEC_2_3, 13},   {PSK_8, FEC_3_4, 14},
    {PSK_8, FEC_5_6, 15},    {PSK_8, FEC_8_9, 16},    {PSK_8, FEC_9_10, 17},  {APSK_16, FEC_2_3, 18},
    {APSK_16, FEC_3_4, 19},  {APSK_16, FEC_4_5, 20},  {APSK_16, FEC_5_6, 21}, {APSK_16, FEC_8_9, 22},
    {APSK_16, FEC_9_10, 23}, {APSK_32, FEC_3_4, 24},  {APSK_32, FEC_4_5, 25}, {APSK_32, FEC_5_6, 26},
    {APSK_32, FEC_8_9, 27},  {APSK_32, FEC_9_10, 28},
};

// The DVB-S code-rate index of the record: 0 1/2 ... 7 8/9.
constexpr std::uint32_t kDvbsRates[] = {FEC_1_2, FEC_2_3, FEC_3_4, FEC_4_5, FEC_5_6, FEC_6_7, FEC_7_8, FEC_8_9};

constexpr std::uint32_t kModulations[] = {QPSK, PSK_8, APSK_16, APSK_32};
constexpr std::uint32_t kRollOffs[] = {ROLLOFF_35, ROLLOFF_25, ROLLOFF_20};

template <std::size_t N>
std::uint32_t IndexOf(const std::uint32_t (&table)[N], std::uint32_t value)
{
    for (std::size_t i = 0; i < N; ++i) {
        if (table[i] == value) return static_cast<std::uint32_t>(i);
    }
    return 0;
}

} // namespace

StreamInfo MediaInfoFrom(const FrontendParameters& p)
{
    const bool s2 = p.deliverySystem == SYS_DVBS2;
    const bool multistream = p.streamId != NO_STREAM_ID_FILTER && p.streamId <= 255;
    StreamInfo info{};
    info.ifFrequencyKhz = p.frequencyKhz;
    info.symbolRate = p.symbolRate;
    info.standard = s2 ? STREAMINFO_STANDARD_DVBS2 : STREAMINFO_STANDARD_DVBS;
    std::uint32_t modcod = 0;
    for (const ModcodRow& row : kModcods) {
        if (row.modulation == p.modulation && row.fec == p.innerFec) modcod = row.modcod;
    }
    info.modcod = s2 ? modcod : 0;
    info.codeRate = IndexOf(kDvbsRates, p.innerFec);
    info.modulation = IndexOf(kModulations, p.modulation);
    info.tsGs = STREAMINFO_TSGS_TRANSPORT;
    info.singleStream = multistream ? 0 : 1;
    info.constantCoding = 1;
    info.issyi = 0;
    info.npd = 0;
    info.rollOff = IndexOf(kRollOffs, p.rollOff);
    info.inputStreamId = multistream ? p.streamId : 0;
    // MATYPE-1 as EN 302 307 lays it out: TS/GS, SIS/MIS, CCM/ACM, ISSYI, NPD, roll-off.
    info.matype1 = (info.tsGs << 6) | (info.singleStream << 5) | (info.constantCoding << 4) | (info.issyi << 3) |
        (info.npd << 2) | info.rollOff;
    info.matype2 = multistream ? p.streamId : 0;
    info.spectrum = p.inversion == INVERSION_ON ? 1 : 0;
    info.pilots = p.pilot == PILOT_ON ? 1 : 0;
    info.frame = 0;
    return info;
}

FrontendParameters ParametersFrom(const StreamInfo& info)
{
    FrontendParameters p;
    const bool s2 = info.standard == STREAMINFO_STANDARD_DVBS2;
    p.deliverySystem = s2 ? std::uint32_t{SYS_DVBS2} : std::uint32_t{SYS_DVBS};
    p.frequencyKhz = info.ifFrequencyKhz;
    p.symbolRate = info.symbolRate;
    const std::uint32_t modulation = info.modulation;
    p.modulation = modulation < std::size(kModulations) ? kModulations[modulation] : std::uint32_t{QPSK};
    p.innerFec = FEC_AUTO;
    if (s2) {
        for (const ModcodRow& row : kModcods) {
            if (row.modcod == info.modcod) p.innerFec = row.fec;
        }
    } else if (info.codeRate < std::size(kDvbsRates)) {
        p.innerFec = kDvbsRates[info.codeRate];
    }
    const std::uint32_t rollOff = info.rollOff;
    p.rollOff = rollOff < std::size(kRollOffs) ? kRollOffs[rollOff] : std::uint32_t{ROLLOFF_35};
    p.pilot = info.pilots ? std::uint32_t{PILOT_ON} : std::uint32_t{PILOT_OFF};
    p.inversion = info.spectrum ? std::uint32_t{INVERSION_ON} : std::uint32_t{INVERSION_OFF};
    p.streamId = info.singleStream ? NO_STREAM_ID_FILTER : static_cast<std::uint32_t>(info.inputStreamId);
    return p;
}

} // namespace dvb
