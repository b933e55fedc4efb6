#include "sim/tuner/UsefulBitrate.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

Transponder Make(DeliverySystem system, Modulation modulation, CodeRate fec, std::uint32_t ksps)
{
    Transponder t;
    t.system = system;
    t.modulation = modulation;
    t.fec = fec;
    t.symbolRateKsps = ksps;
    return t;
}

TEST(UsefulBitrate, MatchesTheStandardsEfficiencies)
{
    struct Case {
        const char* name;
        Transponder transponder;
        double bitsPerSymbol; // useful bits per transmitted symbol
    };
    auto with = [](Transponder t, auto change) {
        change(t);
        return t;
    };
    const Case cases[] = {
        {"DVB-S 3/4", Make(DeliverySystem::DvbS, Modulation::Qpsk, CodeRate::R3_4, 1000), 2 * 0.75 * 188 / 204.0},
        {"DVB-S 7/8", Make(DeliverySystem::DvbS, Modulation::Qpsk, CodeRate::R7_8, 1000), 2 * 0.875 * 188 / 204.0},
        // EN 302 307 table 13, normal frames without pilots.
        {"QPSK 1/2", Make(DeliverySystem::DvbS2, Modulation::Qpsk, CodeRate::R1_2, 1000), 0.988858},
        {"QPSK 3/4", Make(DeliverySystem::DvbS2, Modulation::Qpsk, CodeRate::R3_4, 1000), 1.487473},
        {"8PSK 2/3", Make(DeliverySystem::DvbS2, Modulation::Psk8, CodeRate::R2_3, 1000), 1.980636},
        {"8PSK 2/3 with pilots",
         with(Make(DeliverySystem::DvbS2, Modulation::Psk8, CodeRate::R2_3, 1000), [](auto& t) { t.pilots = true; }),
         1.980636 * 21690 / 22194},
        {"QPSK 1/2 short frame",
         with(Make(DeliverySystem::DvbS2, Modulation::Qpsk, CodeRate::R1_2, 1000),
              [](auto& t) { t.shortFrame = true; }),
         (7032 - 80) / (90.0 * 91)},
        {"8PSK 2/3 with ISSY",
         with(Make(DeliverySystem::DvbS2, Modulation::Psk8, CodeRate::R2_3, 1000), [](auto& t) { t.issyi = true; }),
         1.980636 * 188 / 190},
        {"one of three input streams",
         with(Make(DeliverySystem::DvbS2, Modulation::Psk8, CodeRate::R2_3, 1000),
              [](auto& t) {
                  t.inputStreams = {1, 2, 3};
              }),
         1.980636 / 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(UsefulBitrate(c.transponder), c.bitsPerSymbol * 1e6, 2.0);
    }
}

} // namespace
