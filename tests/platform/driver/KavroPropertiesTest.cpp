#include "platform/driver/KavroProperties.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(KavroProperties, FieldsAreLittleEndianAtTheirOffsets)
{
    TuningBlock block{};
    block.frequencyMhz = 11494;
    block.symbolRateKsps = 0x01020304;
    block.polarity = 0xFF;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&block);
    EXPECT_EQ(bytes[0], 0xE6);
    EXPECT_EQ(bytes[1], 0x2C);
    EXPECT_EQ(bytes[12], 0x04);
    EXPECT_EQ(bytes[15], 0x01);
    EXPECT_EQ(bytes[16], 0xFF);
    EXPECT_EQ(block.frequencyMhz, 11494u);

    GoldCodeParams gold{};
    gold.code = -2;
    EXPECT_EQ(reinterpret_cast<const std::uint8_t*>(&gold)[3], 0xFF);
    EXPECT_EQ(static_cast<std::int32_t>(gold.code), -2);

    std::uint8_t raw[72] = {};
    raw[48] = 0x05;
    raw[52] = 0xD5;
    StreamInfo info;
    std::memcpy(&info, raw, sizeof raw);
    EXPECT_EQ(info.inputStreamId, 5u);
    EXPECT_EQ(info.matype1, 0xD5u);
}

} // namespace
