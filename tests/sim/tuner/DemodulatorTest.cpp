#include "sim/tuner/Demodulator.h"

#include "sim/tuner/MotorGeometry.h"
#include "sim/tuner/ScramblingCode.h"
#include "tests/sim/tuner/ManualClock.h"
#include "tests/sim/tuner/TestSky.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <set>
#include <vector>

using namespace sim;

namespace {

CableSpec HomeCable()
{
    CableSpec cable;
    cable.ports[0] = PortSpec{PortKind::FixedLnb, 192};
    cable.ports[1] = PortSpec{PortKind::FixedLnb, 130};
    cable.ports[2] = PortSpec{PortKind::Motor, 0};
    return cable;
}

// The program's tune for a transponder with a universal LNB.
TuneRequest Tune(std::uint32_t mhz, int polarisation, std::uint32_t ksps)
{
    return TuneRequest{mhz * 1000, ksps, polarisation, 9'750'000, 10'600'000, 11'700'000};
}

// The committed switch command the program sends before a tune.
void SelectPort(Demodulator& d, int port, bool highBand, bool horizontal)
{
    const std::uint8_t data = static_cast<std::uint8_t>(0xF0 | (highBand ? 1 : 0) | (horizontal ? 2 : 0) | (port << 2));
    const std::uint8_t message[] = {0xE0, 0x10, 0x38, data};
    d.SendDiseqc(message, sizeof message);
}

void AimDish(Demodulator& d, ManualClock& clock, double angle)
{
    const double magnitude = std::fabs(angle);
    const int whole = static_cast<int>(magnitude);
    const int sixteenths = static_cast<int>(std::lround((magnitude - whole) * 16)) & 0x0F;
    const std::uint8_t message[] = {0xE0, 0x31, 0x6E,
                                    static_cast<std::uint8_t>((angle > 0 ? 0xD0 : 0xE0) | (whole >> 4)),
                                    static_cast<std::uint8_t>(((whole & 0x0F) << 4) | sixteenths)};
    d.SendDiseqc(message, sizeof message);
    clock.Advance(120'000); // far longer than any turn takes
}

ModcodFilter Accepting(std::initializer_list<std::size_t> bits)
{
    ModcodFilter filter;
    for (auto bit : bits) filter.set(bit);
    return filter;
}

struct DemodulatorRig {
    Sky sky = TestSky();
    ManualClock clock;
    Demodulator demodulator{sky, HomeCable(), Site{50.0, 10.0}, clock};
};

TEST(Demodulator, LocksOnlyWhenEveryConditionHolds)
{
    const double astraAngle = *MotorAngleFor(Site{50.0, 10.0}, 19.2);
    struct Case {
        const char* name;
        std::function<void(Demodulator&, ManualClock&)> prepare;
        TuneRequest tune;
        LockStatus expected;
    };
    const Case cases[] = {
        {"DVB-S2 transponder with the right LNB figures", {}, Tune(11494, 1, 22000), LockStatus::Locked},
        {"DVB-S transponder in the high band", {}, Tune(12187, 1, 27500), LockStatus::Locked},
        {"wrong low oscillator moves the IF away",
         {},
         TuneRequest{11'494'000, 22000, 1, 10'000'000, 10'600'000, 11'700'000},
         LockStatus::NoTransponder},
        {"switch frequency below the transponder selects the high band",
         {},
         TuneRequest{11'494'000, 22000, 1, 9'750'000, 10'600'000, 11'000'000},
         LockStatus::NoTransponder},
        {"wrong high oscillator in the high band",
         {},
         TuneRequest{12'187'000, 27500, 1, 9'750'000, 10'750'000, 11'700'000},
         LockStatus::NoTransponder},
        {"vertical instead of horizontal", {}, Tune(11494, 2, 22000), LockStatus::NoTransponder},
        {"4 MHz off is inside the capture range", {}, Tune(11498, 1, 22000), LockStatus::Locked},
        {"6 MHz off is outside the capture range", {}, Tune(11500, 1, 22000), LockStatus::NoTransponder},
        {"symbol rate 0.5 % off still locks", {}, Tune(11494, 1, 22110), LockStatus::Locked},
        {"symbol rate 2 % off", {}, Tune(11494, 1, 22440), LockStatus::SymbolRate},
        {"port B looks at 13.0E", [](Demodulator& d, ManualClock&) { SelectPort(d, 1, false, true); },
         Tune(11494, 1, 22000), LockStatus::NoTransponder},
        {"port B receives 13.0E's transponder", [](Demodulator& d, ManualClock&) { SelectPort(d, 1, false, false); },
         Tune(11034, 2, 27500), LockStatus::Locked},
        {"port D has nothing on it", [](Demodulator& d, ManualClock&) { SelectPort(d, 3, false, true); },
         Tune(11494, 1, 22000), LockStatus::NoSatellite},
        {"motor at 0 degrees sees no satellite", [](Demodulator& d, ManualClock&) { SelectPort(d, 2, false, true); },
         Tune(11494, 1, 22000), LockStatus::NoSatellite},
        {"motor turned to 19.2E",
         [&](Demodulator& d, ManualClock& c) {
             SelectPort(d, 2, false, true);
             AimDish(d, c, astraAngle);
         },
         Tune(11494, 1, 22000), LockStatus::Locked},
        {"motor 1 degree off 19.2E still locks",
         [&](Demodulator& d, ManualClock& c) {
             SelectPort(d, 2, false, true);
             AimDish(d, c, astraAngle + 1.0);
         },
         Tune(11494, 1, 22000), LockStatus::Locked},
        {"motor 2 degrees off 19.2E is too weak",
         [&](Demodulator& d, ManualClock& c) {
             SelectPort(d, 2, false, true);
             AimDish(d, c, astraAngle - 2.0);
         },
         Tune(11494, 1, 22000), LockStatus::WeakSignal},
        {"scrambled transponder with the default sequence", {}, Tune(12603, 2, 30000), LockStatus::Scrambling},
        {"scrambled transponder with its gold code", [](Demodulator& d, ManualClock&) { d.SetScrambling(8); },
         Tune(12603, 2, 30000), LockStatus::Locked},
        {"another scrambling sequence breaks an unscrambled DVB-S2 lock",
         [](Demodulator& d, ManualClock&) { d.SetScrambling(8); }, Tune(11494, 1, 22000), LockStatus::Scrambling},
        {"DVB-S knows no scrambling sequence", [](Demodulator& d, ManualClock&) { d.SetScrambling(8); },
         Tune(12187, 1, 27500), LockStatus::Locked},
        {"chosen input stream carried",
         [](Demodulator& d, ManualClock&) {
             d.SetScrambling(8);
             d.SetInputStreamId(7);
         },
         Tune(12603, 2, 30000), LockStatus::Locked},
        {"chosen input stream not carried",
         [](Demodulator& d, ManualClock&) {
             d.SetScrambling(8);
             d.SetInputStreamId(4);
         },
         Tune(12603, 2, 30000), LockStatus::InputStream},
        {"input stream choice does not matter for a single stream",
         [](Demodulator& d, ManualClock&) { d.SetInputStreamId(4); }, Tune(11494, 1, 22000), LockStatus::Locked},
        {"MODCOD filter without 8PSK 2/3",
         [](Demodulator& d, ManualClock&) { d.SetModcodFilter(Accepting({ModcodFilterBit(4, true, false)})); },
         Tune(11494, 1, 22000), LockStatus::Modcod},
        {"MODCOD filter with 8PSK 2/3 but only without pilots",
         [](Demodulator& d, ManualClock&) { d.SetModcodFilter(Accepting({ModcodFilterBit(13, false, false)})); },
         Tune(11494, 1, 22000), LockStatus::Modcod},
        {"MODCOD filter with 8PSK 2/3, pilots, long frame",
         [](Demodulator& d, ManualClock&) { d.SetModcodFilter(Accepting({ModcodFilterBit(13, true, false)})); },
         Tune(11494, 1, 22000), LockStatus::Locked},
        {"empty MODCOD filter does not touch DVB-S",
         [](Demodulator& d, ManualClock&) { d.SetModcodFilter(ModcodFilter{}); }, Tune(12187, 1, 27500),
         LockStatus::Locked},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DemodulatorRig f;
        if (c.prepare) c.prepare(f.demodulator, f.clock);
        EXPECT_EQ(f.demodulator.Tune(c.tune), S_OK);
        EXPECT_STREQ(LockStatusName(f.demodulator.Status()), LockStatusName(c.expected));
        const auto stats = f.demodulator.Statistics();
        EXPECT_EQ(stats.locked, c.expected == LockStatus::Locked);
        EXPECT_EQ(stats.quality > 0, c.expected == LockStatus::Locked);
        EXPECT_EQ(f.demodulator.CurrentStream().has_value(), c.expected == LockStatus::Locked);
    }
}

TEST(Demodulator, NothingBeforeTheFirstTune)
{
    DemodulatorRig f;
    EXPECT_EQ(f.demodulator.Status(), LockStatus::NotTuned);
    const auto stats = f.demodulator.Statistics();
    EXPECT_EQ(stats.strength, 0);
    EXPECT_FALSE(stats.locked);
    const StreamInfo info = f.demodulator.MediaInfo();
    const StreamInfo zero{};
    EXPECT_EQ(std::memcmp(&info, &zero, sizeof info), 0);
}

TEST(Demodulator, DvbsStreamInfoByteForByte)
{
    DemodulatorRig f;
    f.demodulator.Tune(Tune(12187, 1, 27500));
    const StreamInfo info = f.demodulator.MediaInfo();
    // IF 12187 - 10600 MHz = 1587000 kHz, 27500000 S/s, DVB-S, code rate 3/4
    // (index 2), QPSK, a single constant-coded transport stream at 0.35.
    const std::uint8_t expected[72] = {
        0x38, 0x37, 0x18, 0x00, 0xE0, 0x9D, 0xA3, 0x01, 0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0, 0, 0, 0, 0, 0, 0,
        3,    0,    0,    0,    1,    0,    0,    0,    1, 0, 0, 0, 0, 0, 0, 0, 0,    0, 0, 0, 0, 0, 0, 0,
        0,    0,    0,    0,    0,    0,    0,    0,    0, 0, 0, 0, 0, 0, 0, 0, 0,    0, 0, 0, 0, 0, 0, 0,
    };
    EXPECT_EQ(std::memcmp(&info, expected, sizeof expected), 0);
}

TEST(Demodulator, Dvbs2MultistreamStreamInfoByteForByte)
{
    DemodulatorRig f;
    f.demodulator.SetScrambling(8);
    f.demodulator.SetInputStreamId(5);
    f.demodulator.Tune(Tune(12603, 2, 30000));
    const StreamInfo info = f.demodulator.MediaInfo();
    // IF 2003000 kHz, 30000000 S/s, DVB-S2, MODCOD 14 (8PSK 3/4), 8PSK, TS,
    // multiple streams, CCM, no ISSYI, NPD on, roll-off 0.25, stream 5,
    // MATYPE-1 11 0 1 0 1 01 = D5, MATYPE-2 05, inverted, pilots, short frame.
    const std::uint8_t expected[72] = {
        0x38, 0x90, 0x1E, 0x00, 0x80, 0xC3, 0xC9, 0x01, 1, 0, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
        3,    0,    0,    0,    0,    0,    0,    0,    1, 0, 0, 0, 0,  0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
        5,    0,    0,    0,    0xD5, 0,    0,    0,    5, 0, 0, 0, 1,  0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
    };
    EXPECT_EQ(std::memcmp(&info, expected, sizeof expected), 0);

    // Without a choice the first stream of the list is output.
    DemodulatorRig g;
    g.demodulator.SetScrambling(RootToGold(GoldToRoot(8)));
    g.demodulator.Tune(Tune(12603, 2, 30000));
    EXPECT_EQ(g.demodulator.MediaInfo().inputStreamId, 3u);
    EXPECT_EQ(g.demodulator.MediaInfo().matype2, 3u);
}

TEST(Demodulator, StrengthFallsOffWithPointingErrorAndStaysSteady)
{
    const double astraAngle = *MotorAngleFor(Site{50.0, 10.0}, 19.2);
    std::vector<int> strengths;
    std::vector<int> qualities;
    for (double off : {0.0, 0.6, 1.2}) {
        SCOPED_TRACE(off);
        DemodulatorRig f;
        SelectPort(f.demodulator, 2, false, true);
        AimDish(f.demodulator, f.clock, astraAngle + off);
        f.demodulator.Tune(Tune(11494, 1, 22000));
        std::set<int> seen;
        int low = 100, high = 0;
        for (int i = 0; i < 40; ++i) {
            const auto stats = f.demodulator.Statistics();
            ASSERT_TRUE(stats.locked);
            seen.insert(stats.strength);
            low = std::min(low, stats.strength);
            high = std::max(high, stats.strength);
            f.clock.Advance(500);
        }
        EXPECT_GT(seen.size(), 1u) << "readings never move";
        EXPECT_LE(high - low, 4) << "readings jump";
        strengths.push_back(f.demodulator.Statistics().strength);
        qualities.push_back(f.demodulator.Statistics().quality);
    }
    EXPECT_GT(strengths[0], strengths[1] + 3);
    EXPECT_GT(strengths[1], strengths[2] + 3);
    EXPECT_GT(qualities[0], qualities[2] + 3);
}

TEST(Demodulator, OutputFollowsTheStreamType)
{
    DemodulatorRig f;
    EXPECT_EQ(f.demodulator.OutputStreamType().ts, 1);
    EXPECT_EQ(f.demodulator.OutputStreamType().gs, 0);
    f.demodulator.Tune(Tune(11494, 1, 22000));
    auto stream = f.demodulator.CurrentStream();
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->output, OutputFormat::TransportStream);
    EXPECT_NEAR(stream->bitrate, 22e6 * (43040 - 80) / (90.0 * 241 + 36 * 14), 1.0);

    f.demodulator.SetOutputTransportStream(false);
    EXPECT_EQ(f.demodulator.OutputStreamType().ts, 0);
    EXPECT_EQ(f.demodulator.OutputStreamType().gs, 1);
    EXPECT_EQ(f.demodulator.CurrentStream()->output, OutputFormat::TransportStream);
}

} // namespace

// A DVB frontend's tune: the IF with tone and voltage set apart. The same
// transponders lock as through the program's tune request, and the tone and
// voltage stay as the frontend left them.
TEST(Demodulator, IntermediateTuneLocksWhereTheRequestDoes)
{
    struct Case {
        std::uint32_t ifKhz;
        bool tone;
        bool horizontal;
        std::uint32_t ksps;
        LockStatus expected;
    };
    const Case cases[] = {
        {11'494'000 - 9'750'000, false, true, 22000, LockStatus::Locked},
        {12'187'000 - 10'600'000, true, true, 27500, LockStatus::Locked},
        {12'187'000 - 10'600'000, false, true, 27500, LockStatus::NoTransponder}, // tone missing
        {11'494'000 - 9'750'000, false, false, 22000, LockStatus::NoTransponder}, // wrong voltage
    };
    for (const Case& c : cases) {
        DemodulatorRig f;
        f.demodulator.SetVoltage(c.horizontal);
        f.demodulator.SetTone(c.tone);
        f.demodulator.TuneIntermediate(c.ifKhz, c.ksps);
        EXPECT_EQ(f.demodulator.Status(), c.expected) << c.ifKhz << " tone " << c.tone;
    }
}
