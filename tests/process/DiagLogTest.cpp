#include "process/DiagLog.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace {

const LogStamp kStamp{L"03/07/24", L"14:05:09", 123456};

TEST(DiagLog, LinesAsTheProgramWritesThem)
{
    struct Case {
        const char* name;
        std::string line;
        std::string expected;
    } cases[] = {
        {"plain text", FormatLogLine(kStamp, L">> DeviceGetList"),
         "[03/07/24 14:05:09 :   123456] >> DeviceGetList\r\n"},
        {"a wide name and a number filled in only now",
         FormatLogLine(kStamp, L"BDA Device Name: [%s]      (Tuner Type:%d)", L"Kavro N72 DVBS/S2 Tuner B", 1),
         "[03/07/24 14:05:09 :   123456] BDA Device Name: [Kavro N72 DVBS/S2 Tuner B]      (Tuner Type:1)\r\n"},
        {"a text ending in its own line break leaves an empty line",
         FormatLogLine(kStamp, L"FAIL: Cannot Enumerate Upstream Filter's Pins\n"),
         "[03/07/24 14:05:09 :   123456] FAIL: Cannot Enumerate Upstream Filter's Pins\r\n\r\n"},
        {"percent signs of the caller", FormatLogLine(kStamp, L"100%% done"),
         "[03/07/24 14:05:09 :   123456] 100% done\r\n"},
        {"Latin-1 stays one byte, the rest becomes '?'", FormatLogLine(kStamp, L"%s", L"M\u00FCnchen \u4E2D"),
         "[03/07/24 14:05:09 :   123456] M\xFCnchen ?\r\n"},
        {"%n is printed, never honoured", FormatLogLine(kStamp, L"count%n"),
         "[03/07/24 14:05:09 :   123456] count%n\r\n"},
        {"a dangling percent sign", FormatLogLine(kStamp, L"50%"), "[03/07/24 14:05:09 :   123456] 50%\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.line, c.expected);
    }
}

TEST(DiagLog, TickIsASignedNumberInEightColumns)
{
    struct Case {
        DWORD tick;
        const char* field;
    } cases[] = {
        {0, "        "},
        {1, "       1"},
        {12345678, "12345678"},
        {123456789, "123456789"},
        {0x7FFFFFFF, "2147483647"},
        {0x80000000, "-2147483648"},
        {0xFFFFFFFF, "      -1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const LogStamp stamp{L"12/31/99", L"23:59:59", c.tick};
        EXPECT_EQ(FormatLogLine(stamp, L"x"), std::string("[12/31/99 23:59:59 : ") + c.field + "] x\r\n");
    }
}

TEST(DiagLog, LongLinesAreCutAndStillEndTheLine)
{
    const std::string header = "[03/07/24 14:05:09 :   123456] "; // 31 characters
    struct Case {
        const char* name;
        std::size_t textChars;
        std::size_t keptChars;
    } cases[] = {
        {"just fits with its line break", 255 - 31 - 1, 255 - 31 - 1},
        {"one too many", 255 - 31, 255 - 31 - 1},
        {"far too long", 5000, 255 - 31 - 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring text(c.textChars, L'x');
        EXPECT_EQ(FormatLogLine(kStamp, L"%s", text.c_str()), header + std::string(c.keptChars, 'x') + "\r\n");
    }
    const std::wstring longFormat(400, L'y');
    EXPECT_EQ(FormatLogLine(kStamp, longFormat.c_str()).size(), 254u + 2u) << "a long format is cut the same way";
}

TEST(DiagLog, WindowsPlaceholdersMeanWhatTheyMeanOnWindows)
{
    struct Case {
        const wchar_t* windows;
        const wchar_t* here;
    } cases[] = {
        {L"%s", L"%ls"},   {L"%-20s|", L"%-20ls|"}, {L"%.3s", L"%.3ls"}, {L"%ls", L"%ls"},          {L"%ws", L"%ls"},
        {L"%hs", L"%s"},   {L"%S", L"%s"},          {L"%lS", L"%ls"},    {L"%c", L"%lc"},           {L"%hc", L"%c"},
        {L"%C", L"%c"},    {L"%d", L"%d"},          {L"%ld", L"%d"},     {L"%lx", L"%x"},           {L"%I64d", L"%lld"},
        {L"%I32u", L"%u"}, {L"%Iu", L"%zu"},        {L"%lld", L"%lld"},  {L"%08.3f", L"%08.3f"},    {L"%Lf", L"%f"},
        {L"%*d", L"%*d"},  {L"%p", L"%p"},          {L"%%", L"%%"},      {L"%n", L"%%n"},           {L"%5", L"%%5"},
        {L"%q", L"%%q"},   {L"%", L"%%"},           {L"%wd", L"%%wd"},   {L"a%sb%dc", L"a%lsb%dc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.windows, c.windows + std::wcslen(c.windows)));
        EXPECT_EQ(TranslateWindowsFormat(c.windows), c.here);
    }
    EXPECT_EQ(
        FormatLogLine(kStamp, L"%hs %S %c %C %I64d %ld", "narrow", "also", L'\u00E9', 'z', -5000000000LL, LONG{-7}),
        "[03/07/24 14:05:09 :   123456] narrow also \xE9 z -5000000000 -7\r\n");
}

TEST(DiagLog, AppendsOneLinePerCall)
{
    TempDrive drive;
#ifndef _WIN32
    std::filesystem::remove_all(drive.path()); // a fresh machine: no c: folder yet
#endif
    LogLine(L">> DeviceGetList");
    LogLine(L"BDA Device Name: [%s]      (Tuner Type:%d)", L"Kavro U31", 1);
    const std::string text = TempDir::ReadFile(drive / "iptools.log");
    const std::regex pattern("\\[\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d : [ -]*\\d+\\] >> DeviceGetList\r\n"
                             "\\[\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d : [ -]*\\d+\\] BDA Device Name: \\[Kavro "
                             "U31\\]      \\(Tuner Type:1\\)\r\n");
    EXPECT_TRUE(std::regex_match(text, pattern)) << text;
}

TEST(DiagLog, UnwritableLocationLosesTheLineQuietly)
{
    TempDrive drive;
    std::filesystem::create_directory(drive / "iptools.log"); // a folder where the file should be
    LogLine(L"lost %s", L"line");
    EXPECT_TRUE(std::filesystem::is_directory(drive / "iptools.log"));

#ifndef _WIN32
    // Linux only: drive c: is a folder chosen by KAVRO_DRIVE_C here; on Windows it is the
    // system's own and cannot lie below a file.
    TempDir::WriteFile(drive / "plain", "");
    setenv("KAVRO_DRIVE_C", (drive / "plain" / "drive").c_str(), 1); // below a file: cannot exist
    LogLine(L"lost too");
    EXPECT_EQ(TempDir::ReadFile(drive / "plain"), "");
#endif
}

} // namespace
