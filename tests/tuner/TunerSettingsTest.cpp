// The settings file: integer conversion of stored texts, and malformed or
// overlong values read without harm.
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

    TempDrive m_drive;
};

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
