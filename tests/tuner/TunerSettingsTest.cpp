// The settings file: integer conversion of stored texts, the keys in their
// order, defaults for a missing file, and values that survive a round trip.
#include "tuner/TunerSettings.h"

#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(SettingsInteger, ConvertsLeadingDigitsOnly)
{
    struct Case {
        const wchar_t* text;
        LONG expected;
    };
    const Case cases[] = {
        {L"", 0},
        {L"abc", 0},
        {L"12", 12},
        {L"  \t-7", -7},
        {L"+3", 3},
        {L"55zz", 55},
        {L"11 700", 11},
        {L"- 5", 0},
        {L"2147483647", INT_MAX},
        {L"99999999999", INT_MAX},
        {L"-2147483648", INT_MIN},
        {L"-99999999999999999999", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        EXPECT_EQ(c.expected, SettingsInteger(c.text));
    }
}

class TunerSettingsFileTest : public testing::Test {
protected:
    std::wstring Path() const { return SettingsFilePath(L"c:"); }
    std::string FileText() const { return TempDir::ReadFile(m_drive / "Kavro-TScap.ini"); }

    TempDrive m_drive;
};

TEST_F(TunerSettingsFileTest, MissingFileGivesEmptyTextsAndZeros)
{
    const TunerSettings settings = ReadTunerSettings(Path());
    EXPECT_EQ(0, settings.polarity);
    EXPECT_EQ(0, settings.diseqc);
    EXPECT_EQ(0, settings.goldcode);
    EXPECT_EQ(0, settings.goldtype);
    EXPECT_EQ(L"", settings.freq);
    EXPECT_EQ(L"", settings.lnbswitch);
}

TEST_F(TunerSettingsFileTest, WritesTheKeysInOrderAndReadsThemBack)
{
    TunerSettings settings;
    settings.polarity = 1;
    settings.diseqc = -1;
    settings.goldcode = 262141;
    settings.goldtype = 1;
    settings.freq = L"12188";
    settings.symbol = L"27500";
    settings.lnblow = L"9750";
    settings.lnbhigh = L"10600";
    settings.lnbswitch = L"11700 MHz";
    ASSERT_TRUE(WriteTunerSettings(Path(), settings));

    EXPECT_EQ("[Config]\r\npolarity=1\r\ndiseqc=-1\r\ngoldcode=262141\r\ngoldtype=1\r\nfreq=12188\r\n"
              "symbol=27500\r\nlnblow=9750\r\nlnbhigh=10600\r\nlnbswitch=11700 MHz\r\n",
              FileText());

    const TunerSettings back = ReadTunerSettings(Path());
    EXPECT_EQ(settings.polarity, back.polarity);
    EXPECT_EQ(settings.diseqc, back.diseqc);
    EXPECT_EQ(settings.goldcode, back.goldcode);
    EXPECT_EQ(settings.goldtype, back.goldtype);
    EXPECT_EQ(settings.freq, back.freq);
    EXPECT_EQ(settings.symbol, back.symbol);
    EXPECT_EQ(settings.lnblow, back.lnblow);
    EXPECT_EQ(settings.lnbhigh, back.lnbhigh);
    EXPECT_EQ(settings.lnbswitch, back.lnbswitch);
}

TEST_F(TunerSettingsFileTest, MalformedAndOverlongValuesReadSafely)
{
    const std::string longText(400, '7');
    TempDir::WriteFile(m_drive / "Kavro-TScap.ini", "[config]\nPOLARITY=vertical\ndiseqc=2x\ngoldcode=-12abc\nfreq=" +
                                                         longText + "\nsymbol=\n[Other]\nlnblow=9750\n");
    const TunerSettings settings = ReadTunerSettings(Path());
    EXPECT_EQ(0, settings.polarity);
    EXPECT_EQ(2, settings.diseqc);
    EXPECT_EQ(-12, settings.goldcode);
    EXPECT_EQ(std::wstring(259, L'7'), settings.freq) << "cut to the 260-character buffer";
    EXPECT_EQ(L"", settings.symbol);
    EXPECT_EQ(L"", settings.lnblow) << "another section's key is not ours";
}

} // namespace
