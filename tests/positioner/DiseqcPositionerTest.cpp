#include "positioner/DiseqcPositioner.h"

#include <gtest/gtest.h>

namespace {

TEST(DiseqcPositioner, PositionBoxTextGivesTheLowEightBitsOfItsInteger)
{
    const struct {
        const char* name;
        const char* text;
        std::uint8_t position;
    } cases[] = {
        {"plain number", "12", 0x0C},
        {"beyond one byte wraps", "300", 0x2C},
        {"256 wraps to zero", "256", 0x00},
        {"minus one is all ones", "-1", 0xFF},
        {"minus 256 wraps to zero", "-256", 0x00},
        {"empty box", "", 0x00},
        {"not a number", "abc", 0x00},
        {"leading blanks and a plus sign", "  +7", 0x07},
        {"stops at the first other character", "42abc", 0x2A},
        {"a decimal point ends the number", "3.9", 0x03},
        {"blank between sign and digits is no number", "- 5", 0x00},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PositionNumberFromText(c.text), c.position);
    }
}

} // namespace
