// How the main window describes the driver's media information record: each
// field's text table, the code rates of both standards and the MATYPE text.
#include "app/StreamInfoText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Row {
    std::uint32_t value;
    const wchar_t* text;
};

void ExpectTable(const wchar_t* (*textOf)(std::uint32_t), std::initializer_list<Row> rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.value);
        EXPECT_STREQ(row.text, textOf(row.value));
    }
}

TEST(StreamInfoTextTest, Dvbs2CodeRatesByModcod)
{
    ExpectTable(Dvbs2CodeRateText,
                {{0, L"NULL"},
                 {1, L"1/4"},
                 {4, L"1/2"},
                 {10, L"8/9"},
                 {11, L"9/10"},
                 {12, L"3/5"},
                 {14, L"3/4"},
                 {17, L"9/10"},
                 {18, L"2/3"},
                 {23, L"9/10"},
                 {24, L"3/4"},
                 {28, L"9/10"},
                 {29, L"UNKNOW"},
                 {30, L"NULL"},
                 {0xFFFFFFFFu, L"NULL"}});
}

TEST(StreamInfoTextTest, DvbsCodeRatesByIndex)
{
    ExpectTable(
        DvbsCodeRateText,
        {{0, L"1/2"}, {5, L"6/7"}, {6, L"7/8"}, {7, L"8/9"}, {8, L"UNKNOWN"}, {9, L"NULL"}, {0x80000000u, L"NULL"}});
}

TEST(StreamInfoTextTest, FieldTables)
{
    ExpectTable(ModulationText, {{0, L"QPSK"}, {1, L"8PSK"}, {2, L"16APSK"}, {3, L"32APSK"}, {4, L"UNKNOWN"}});
    ExpectTable(StreamTypeText,
                {{0, L"GENERIC_PACKETIZED_STREAM"},
                 {1, L"GENERIC_CONTINUOUS_STREAM"},
                 {2, L"RESERVED_STREAM"},
                 {3, L"TRANSPORT_STREAM"},
                 {4, L"RESERVED_STREAM"}});
    ExpectTable(InputStreamText,
                {{0, L"MULTIPLE_INPUT_STREAM"}, {1, L"SINGLE_INPUT_STREAM"}, {7, L"SINGLE_INPUT_STREAM"}});
    ExpectTable(CodingText, {{0, L"ACM"}, {1, L"CCM"}, {2, L"CCM"}});
    ExpectTable(InputSyncText, {{0, L"ISSYI_DISABLED"}, {1, L"ISSYI_ENABLED"}, {2, L"ISSYI_DISABLED"}});
    ExpectTable(NullPacketText, {{0, L"NPD_DISABLED"}, {1, L"NPD_ENABLED"}, {2, L"NPD_DISABLED"}});
    ExpectTable(RollOffText, {{0, L"0.35"}, {1, L"0.25"}, {2, L"0.20"}, {3, L"RESERVED"}});
    ExpectTable(SpectrumText, {{0, L"IQ_NORMAL"}, {1, L"IQ_SWAPPED"}, {2, L"IQ_NORMAL"}});
    ExpectTable(PilotsText, {{0, L"Pilots Off"}, {1, L"Pilots On"}, {2, L"Pilots Off"}});
    ExpectTable(FrameLengthText, {{0, L"Long Frame"}, {1, L"Short Frame"}, {2, L"Long Frame"}});
}

TEST(StreamInfoTextTest, CodeRateFollowsTheStandard)
{
    struct Case {
        const char* name;
        std::uint32_t standard;
        const wchar_t* standardText;
        const wchar_t* fec;
    };
    const Case cases[] = {
        {"DVB-S2 reads the MODCOD", 1, L"DVB-S2", L"3/4"},
        {"DVB-S reads the code rate index", 0, L"DVB-S1", L"6/7"},
        {"an unknown standard has neither", 2, nullptr, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StreamInfo info{};
        info.standard = c.standard;
        info.modcod = 14;
        info.codeRate = 5;
        if (c.standardText) {
            EXPECT_STREQ(c.standardText, StandardText(c.standard));
        } else {
            EXPECT_EQ(nullptr, StandardText(c.standard));
        }
        EXPECT_EQ(std::wstring(c.fec), CodeRateText(info));
    }
}

TEST(StreamInfoTextTest, MatypeIsUpperCaseHexWithTwoBlanks)
{
    EXPECT_EQ(L"F2  00", MatypeText(0xF2, 0x00));
    EXPECT_EQ(L"0A  05", MatypeText(0x0A, 0x05));
    EXPECT_EQ(L"1F2  ABC", MatypeText(0x1F2, 0xABC)) << "wider values print whole";
}

} // namespace
