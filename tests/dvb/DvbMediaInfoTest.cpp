// The media information record from a frontend's parameters, and back.
#include "dvb/DvbMediaInfo.h"

#include <linux/dvb/frontend.h>

#include <gtest/gtest.h>

namespace {

TEST(DvbMediaInfo, Dvbs2MultistreamRecord)
{
    dvb::FrontendParameters p;
    p.deliverySystem = SYS_DVBS2;
    p.frequencyKhz = 1'744'000;
    p.symbolRate = 27'500'000;
    p.modulation = PSK_8;
    p.innerFec = FEC_3_4;
    p.rollOff = ROLLOFF_20;
    p.pilot = PILOT_ON;
    p.inversion = INVERSION_OFF;
    p.streamId = 5;
    const StreamInfo info = dvb::MediaInfoFrom(p);
    EXPECT_EQ(1'744'000u, static_cast<std::uint32_t>(info.ifFrequencyKhz));
    EXPECT_EQ(27'500'000u, static_cast<std::uint32_t>(info.symbolRate));
    EXPECT_EQ(STREAMINFO_STANDARD_DVBS2, static_cast<std::uint32_t>(info.standard));
    EXPECT_EQ(14u, static_cast<std::uint32_t>(info.modcod)) << "8PSK 3/4";
    EXPECT_EQ(STREAMINFO_MODULATION_8PSK, static_cast<std::uint32_t>(info.modulation));
    EXPECT_EQ(0u, static_cast<std::uint32_t>(info.singleStream));
    EXPECT_EQ(5u, static_cast<std::uint32_t>(info.inputStreamId));
    EXPECT_EQ(STREAMINFO_ROLLOFF_020, static_cast<std::uint32_t>(info.rollOff));
    // TS (11), MIS (0), CCM (1), ISSYI 0, NPD 0, roll-off 0.20 (10).
    EXPECT_EQ(0xD2u, static_cast<std::uint32_t>(info.matype1));
    EXPECT_EQ(5u, static_cast<std::uint32_t>(info.matype2));
    EXPECT_EQ(1u, static_cast<std::uint32_t>(info.pilots));
}

TEST(DvbMediaInfo, DvbsSingleStreamRecord)
{
    dvb::FrontendParameters p;
    p.deliverySystem = SYS_DVBS;
    p.modulation = QPSK;
    p.innerFec = FEC_5_6;
    p.rollOff = ROLLOFF_AUTO;
    p.inversion = INVERSION_ON;
    const StreamInfo info = dvb::MediaInfoFrom(p);
    EXPECT_EQ(0u, static_cast<std::uint32_t>(info.modcod)) << "no MODCOD in DVB-S";
    EXPECT_EQ(4u, static_cast<std::uint32_t>(info.codeRate)) << "5/6";
    EXPECT_EQ(1u, static_cast<std::uint32_t>(info.singleStream));
    EXPECT_EQ(0xF0u, static_cast<std::uint32_t>(info.matype1)) << "TS, SIS, CCM, roll-off read as 0.35";
    EXPECT_EQ(1u, static_cast<std::uint32_t>(info.spectrum));
}

TEST(DvbMediaInfo, EveryModcodSurvivesTheTripThroughTheFrontend)
{
    for (std::uint32_t modcod = 3; modcod <= 28; ++modcod) { // 1 and 2 have no DVB API code rate
        SCOPED_TRACE(modcod);
        StreamInfo info{};
        info.standard = STREAMINFO_STANDARD_DVBS2;
        info.modcod = modcod;
        info.modulation = modcod <= 11 ? 0 : modcod <= 17 ? 1 : modcod <= 23 ? 2 : 3;
        info.singleStream = 1;
        info.constantCoding = 1;
        info.tsGs = STREAMINFO_TSGS_TRANSPORT;
        info.rollOff = STREAMINFO_ROLLOFF_025;
        info.matype1 = 0xF1;
        EXPECT_EQ(modcod, static_cast<std::uint32_t>(dvb::MediaInfoFrom(dvb::ParametersFrom(info)).modcod));
        EXPECT_EQ(0xF1u, static_cast<std::uint32_t>(dvb::MediaInfoFrom(dvb::ParametersFrom(info)).matype1));
    }
}

} // namespace
