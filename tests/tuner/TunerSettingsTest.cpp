// The settings file: integer conversion of stored texts, and malformed or
// overlong values read without harm.
#include "tuner/TunerSettings.h"

#include "tests/support/TempDir.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <string>

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
    TempDir::WriteFile(m_drive / "Kavro-TScap.ini",
                       "[config]\nPOLARITY=vertical\ndiseqc=2x\ngoldcode=-12abc\nfreq=" + longText +
                           "\nsymbol=\n[Other]\nlnblow=9750\n");
    const TunerSettings settings = ReadTunerSettings(Path());
    EXPECT_EQ(0, settings.polarity);
    EXPECT_EQ(2, settings.diseqc);
    EXPECT_EQ(-12, settings.goldcode);
    EXPECT_EQ(std::wstring(259, L'7'), settings.freq) << "cut to the 260-character buffer";
    EXPECT_EQ(L"", settings.symbol);
    EXPECT_EQ(L"", settings.lnblow) << "another section's key is not ours";
}

// A settings file the program cannot read as one (too large to be a settings
// file, a folder, a named pipe) shows the defaults, and the page's save at
// close neither replaces it nor blocks; one with garbage around its section
// shows what the section holds and keeps the garbage through the save.
#ifndef _WIN32 // the Linux stand-in's rules; on Windows the system's profile functions apply
TEST_F(TunerSettingsFileTest, UnreadableFilesAreNotReplacedAndGarbageSurvivesTheSave)
{
    const std::filesystem::path file = m_drive / "Kavro-TScap.ini";
    TunerSettings changed;
    changed.polarity = 1;
    changed.freq = L"11494";
    struct Case {
        const char* name;
        std::function<void()> make;
    } unreadable[] = {
        {"beyond the size of any settings file",
         [&] {
             TempDir::WriteFile(file, "[Config]\nfreq=12345\n");
             std::filesystem::resize_file(file, std::uintmax_t{65} << 20);
         }},
        {"a folder", [&] { std::filesystem::create_directory(file); }},
        {"a named pipe", [&] { ASSERT_EQ(0, mkfifo(file.c_str(), 0600)); }},
    };
    for (const Case& c : unreadable) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(file);
        c.make();
        const auto type = std::filesystem::status(file).type();
        const auto size = std::filesystem::is_regular_file(file) ? std::filesystem::file_size(file) : 0;
        EXPECT_EQ(L"", ReadTunerSettings(Path()).freq);
        EXPECT_FALSE(WriteTunerSettings(Path(), changed));
        EXPECT_EQ(type, std::filesystem::status(file).type());
        if (std::filesystem::is_regular_file(file)) {
            EXPECT_EQ(size, std::filesystem::file_size(file));
        }
    }

    std::filesystem::remove_all(file);
    std::string garbage;
    for (int i = 0; i < 8192; ++i) garbage += static_cast<char>((i * 2654435761u >> 9) & 0xFF);
    TempDir::WriteFile(
        file, garbage + "\r\n[Config]\r\nfreq=10744\r\ngoldcode=-99999999999999999999\r\n[Keep]\r\n" + garbage);
    const TunerSettings read = ReadTunerSettings(Path());
    EXPECT_EQ(L"10744", read.freq);
    EXPECT_EQ(INT_MIN, read.goldcode);
    EXPECT_TRUE(WriteTunerSettings(Path(), changed));
    const std::string saved = TempDir::ReadFile(file);
    EXPECT_EQ(0u, saved.find(garbage + "\r\n[Config]\r\n"));
    EXPECT_NE(std::string::npos, saved.find("[Keep]\r\n" + garbage));
    EXPECT_EQ(L"11494", ReadTunerSettings(Path()).freq);
}
#endif

} // namespace
