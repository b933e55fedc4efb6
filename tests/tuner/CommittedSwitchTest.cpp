// The committed-switch command: band decision and the data byte for every port,
// polarity and band.
#include "tuner/CommittedSwitch.h"

#include <gtest/gtest.h>

namespace {

TEST(CommittedSwitch, BandSwitchesAboveTheSwitchFrequency)
{
    struct Case {
        const char* name;
        std::uint32_t frequency;
        std::uint32_t lnbSwitch;
        bool high;
    };
    const Case cases[] = {
        {"equal is low band", 11700, 11700, false},
        {"one MHz above is high band", 11701, 11700, true},
        {"below is low band", 10700, 11700, false},
        {"a negative switch entry is a huge unsigned number", 12000, static_cast<std::uint32_t>(-1), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.high, IsHighBand(c.frequency, c.lnbSwitch));
    }
}

TEST(CommittedSwitch, DataByteCarriesPortPolarityAndBand)
{
    struct Case {
        const char* name;
        LONG port;
        BYTE polarity;
        bool high;
        int data; // -1: no command
    };
    const Case cases[] = {
        {"port B vertical high band", 2, 1, true, 0xF5},
        {"port C horizontal high band", 3, 0, true, 0xFB},
        {"port A vertical low band", 1, 1, false, 0xF0},
        {"port D horizontal low band", 4, 0, false, 0xFE},
        {"no polarity chosen counts as vertical", 1, 0xFF, false, 0xF0},
        {"Diseqc NULL sends nothing", 0, 0, true, -1},
        {"no selection sends nothing", -1, 0, true, -1},
        {"an index beyond the list sends nothing", 5, 0, true, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto command = MakeCommittedSwitch(c.port, c.polarity, c.high);
        if (c.data < 0) {
            EXPECT_FALSE(command.has_value());
            continue;
        }
        ASSERT_TRUE(command.has_value());
        const CommittedSwitchCommand expected{0xE0, 0x10, 0x38, static_cast<BYTE>(c.data)};
        EXPECT_EQ(expected, *command);
    }
}

} // namespace
