// The driver's payloads as the program fills them, byte for byte.
#include "graph/DriverPayloads.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

template <class Payload>
std::vector<BYTE> BytesOf(const Payload& payload)
{
    const auto* first = reinterpret_cast<const BYTE*>(&payload);
    return std::vector<BYTE>(first, first + sizeof(Payload));
}

TEST(DriverPayloadsTest, DiseqcMessageCarriesTheBytesZerosAndTheLength)
{
    struct Case {
        const char* name;
        std::vector<BYTE> message;
        std::vector<BYTE> expected; // empty: refused, record untouched
    };
    const Case cases[] = {
        {"committed switch, port B vertical high band",
         {0xE0, 0x10, 0x38, 0xF5},
         {0xE0, 0x10, 0x38, 0xF5, 0, 0, 0, 0, 0, 0, 4}},
        {"positioner halt, three bytes", {0xE0, 0x31, 0x60}, {0xE0, 0x31, 0x60, 0, 0, 0, 0, 0, 0, 0, 3}},
        {"ten bytes fill the record", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10}},
        {"eleven bytes do not fit", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {}},
        {"no bytes", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DiseqcMessage message;
        std::memset(&message, 0xAA, sizeof(message));
        EXPECT_EQ(!c.expected.empty(), MakeDiseqcMessage(c.message.data(), c.message.size(), message));
        EXPECT_EQ(c.expected.empty() ? std::vector<BYTE>(sizeof(message), 0xAA) : c.expected, BytesOf(message));
    }
}

TEST(DriverPayloadsTest, TuningBlockFieldsSitAtTheirOffsetsLittleEndian)
{
    TuningBlock block{};
    block.frequencyMhz = 11778;   // 0x2E02
    block.lnbLowMhz = 9750;       // 0x2616
    block.lnbHighMhz = 10600;     // 0x2968
    block.symbolRateKsps = 27500; // 0x6B6C
    block.polarity = 0xFF;
    block.header[0] = 1;
    block.header[2] = 2;
    block.diseqcPort = 3;
    const BYTE switchCommand[] = {0xE0, 0x10, 0x38, 0xF8};
    ASSERT_TRUE(PutDiseqcBytes(block, switchCommand, sizeof(switchCommand)));

    std::vector<BYTE> expected(288, 0);
    const BYTE head[] = {0x02, 0x2E, 0, 0,    0x16, 0x26, 0, 0, 0x68, 0x29, 0,    0,   0x6C,
                         0x6B, 0,    0, 0xFF, 1,    0,    2, 3, 0xE0, 0x10, 0x38, 0xF8};
    std::copy(std::begin(head), std::end(head), expected.begin());
    EXPECT_EQ(expected, BytesOf(block));
}

TEST(DriverPayloadsTest, DiseqcBytesInTheTuningBlockKeepWhatFollows)
{
    TuningBlock block{};
    const BYTE longer[] = {0xE0, 0x31, 0x6E, 0x12, 0x34};
    const BYTE shorter[] = {0xE0, 0x31, 0x60};
    ASSERT_TRUE(PutDiseqcBytes(block, longer, sizeof(longer)));
    ASSERT_TRUE(PutDiseqcBytes(block, shorter, sizeof(shorter)));
    const std::vector<BYTE> area(block.diseqcBytes, block.diseqcBytes + 6);
    EXPECT_EQ((std::vector<BYTE>{0xE0, 0x31, 0x60, 0x12, 0x34, 0}), area);

    std::vector<BYTE> tooLong(268, 0xE0);
    EXPECT_FALSE(PutDiseqcBytes(block, tooLong.data(), tooLong.size()));
    EXPECT_EQ(0x31, block.diseqcBytes[1]) << "block untouched";
}

TEST(DriverPayloadsTest, SmallRecordsByteForByte)
{
    {
        SCOPED_TRACE("stream type TS");
        EXPECT_EQ((std::vector<BYTE>{1, 0}), BytesOf(MakeStreamTypeParams(true)));
    }
    {
        SCOPED_TRACE("stream type GS");
        EXPECT_EQ((std::vector<BYTE>{0, 1}), BytesOf(MakeStreamTypeParams(false)));
    }
    {
        SCOPED_TRACE("gold code -2, gold");
        std::vector<BYTE> expected(264, 0);
        const BYTE head[] = {0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0};
        std::copy(std::begin(head), std::end(head), expected.begin());
        EXPECT_EQ(expected, BytesOf(MakeGoldCodeParams(-2, GOLDCODE_TYPE_GOLD)));
    }
    {
        SCOPED_TRACE("root code 262141, root");
        std::vector<BYTE> expected(264, 0);
        const BYTE head[] = {0xFD, 0xFF, 0x03, 0, 0, 0, 0, 0};
        std::copy(std::begin(head), std::end(head), expected.begin());
        EXPECT_EQ(expected, BytesOf(MakeGoldCodeParams(262141, GOLDCODE_TYPE_ROOT)));
    }
    {
        SCOPED_TRACE("input stream 258");
        std::vector<BYTE> expected(72, 0);
        expected[48] = 0x02;
        expected[49] = 0x01;
        EXPECT_EQ(expected, BytesOf(MakeInputStreamRecord(258)));
    }
}

} // namespace
