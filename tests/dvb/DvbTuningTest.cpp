// The LNB band, IF and voltage a tune request gives, the scrambling code
// conversion, and the strength/quality mapping, with real numbers.
#include "dvb/DvbTuning.h"
#include "sim/tuner/ScramblingCode.h"

#include <gtest/gtest.h>

namespace {

TEST(DvbTuning, UniversalLnbBandsIfAndVoltage)
{
    struct Case {
        const char* name;
        std::uint32_t carrier;
        int polarisation;
        std::uint32_t intermediate;
        bool highBand;
        bool horizontal;
    };
    const Case cases[] = {
        {"low band vertical", 11'494'000, 2, 1'744'000, false, false},
        {"high band horizontal", 12'188'000, 1, 1'588'000, true, true},
        {"carrier equal to the switch frequency stays low", 11'700'000, 1, 1'950'000, false, true},
        {"circular left takes 18 V", 10'714'000, 3, 964'000, false, true},
        {"circular right takes 13 V", 12'603'000, 4, 2'003'000, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const dvb::LnbTune tune = dvb::ChooseLnb(c.carrier, 9'750'000, 10'600'000, 11'700'000, c.polarisation);
        EXPECT_EQ(c.intermediate, tune.intermediateKhz);
        EXPECT_EQ(c.highBand, tune.highBand);
        EXPECT_EQ(c.horizontal, tune.horizontal);
    }
}

TEST(DvbTuning, CBandOscillatorAboveTheCarrier)
{
    const dvb::LnbTune tune = dvb::ChooseLnb(3'800'000, 5'150'000, 5'150'000, 0, 2);
    EXPECT_EQ(1'350'000u, tune.intermediateKhz);
}

TEST(DvbTuning, RootCodesBecomeTheSimulatorsGoldCodes)
{
    for (std::uint32_t gold : {0u, 1u, 2u, 127u, 4096u, 131070u, 262141u}) {
        SCOPED_TRACE(gold);
        EXPECT_EQ(gold, dvb::GoldFromRoot(sim::GoldToRoot(gold)).value_or(999999));
    }
    EXPECT_EQ(0u, dvb::GoldFromRoot(1).value_or(999999)) << "root 1 is the default sequence, gold 0";
    EXPECT_FALSE(dvb::GoldFromRoot(0).has_value());
    EXPECT_FALSE(dvb::GoldFromRoot(262144).has_value());
}

TEST(DvbTuning, StrengthAndQualityMapping)
{
    EXPECT_EQ(0, dvb::StrengthPercent(-95'000, std::nullopt)) << "below the floor";
    EXPECT_EQ(0, dvb::StrengthPercent(-90'000, std::nullopt));
    EXPECT_EQ(50, dvb::StrengthPercent(-60'000, std::nullopt));
    EXPECT_EQ(100, dvb::StrengthPercent(-30'000, std::nullopt));
    EXPECT_EQ(100, dvb::StrengthPercent(-10'000, std::nullopt)) << "saturated input";
    EXPECT_EQ(50, dvb::StrengthPercent(std::nullopt, 32768)) << "relative reading";
    EXPECT_EQ(0, dvb::StrengthPercent(std::nullopt, std::nullopt)) << "nothing measured";

    EXPECT_EQ(0, dvb::QualityPercent(false, 12'000, std::nullopt)) << "unlocked";
    EXPECT_EQ(0, dvb::QualityPercent(true, -2'000, std::nullopt));
    EXPECT_EQ(60, dvb::QualityPercent(true, 9'000, std::nullopt));
    EXPECT_EQ(100, dvb::QualityPercent(true, 20'000, std::nullopt));
    EXPECT_EQ(100, dvb::QualityPercent(true, std::nullopt, 65535));
}

TEST(DvbTuning, EveryFigureSurvivesTheTripThroughDecibels)
{
    for (int percent = 0; percent <= 100; ++percent) {
        EXPECT_EQ(percent, dvb::StrengthPercent(dvb::MilliDbmForStrength(percent), std::nullopt));
        EXPECT_EQ(percent, dvb::QualityPercent(true, dvb::MilliDbForQuality(percent), std::nullopt));
    }
}

} // namespace
