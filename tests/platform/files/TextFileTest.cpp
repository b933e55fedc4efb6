#include "platform/files/TextFile.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadAll(TextFile& file)
{
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadLine(line)) lines.push_back(line);
    return lines;
}

using Lines = std::vector<std::string>;

TEST(TextFile, SplitsLinesAndDropsTheirEnds)
{
    TempDrive drive;
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"CR LF", "Berlin,52.5,13.4\r\nParis,48.9,2.3\r\n", {"Berlin,52.5,13.4", "Paris,48.9,2.3"}},
        {"LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"mixed ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"last line without end", "a\r\nlast", {"a", "last"}},
        {"empty lines kept", "\r\n\r\nx\n\n", {"", "", "x", ""}},
        {"CR LF split by nothing but a CR", "a\r\r\nb", {"a", "", "b"}},
        {"empty file", "", {}},
        {"8-bit bytes as they are", "M\xFCnchen\r\n\xFF\x80\x01\r\n", {"M\xFCnchen", "\xFF\x80\x01"}},
        {"NUL bytes inside a line", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        {"Ctrl-Z ends the text",
         "a\r\nb\x1A"
         "c\r\nd\r\n",
         {"a", "b"}},
        {"Ctrl-Z at the start",
         "\x1A"
         "a\r\n",
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir::WriteFile(drive / "CityList.txt", c.bytes);
        TextFile file;
        ASSERT_TRUE(file.Open(L"c:\\CityList.txt"));
        EXPECT_EQ(ReadAll(file), c.lines);
        std::string line = "stale";
        EXPECT_FALSE(file.ReadLine(line)) << "the end stays the end";
    }
}

TEST(TextFile, LinesAcrossBufferBoundariesAndOverlongLines)
{
    TempDrive drive;
    std::string bytes;
    Lines expected;
    // Line ends at every offset around the 64 KiB read size, CR LF split across reads.
    for (int i = 0; bytes.size() < 200000; ++i) {
        std::string line(static_cast<std::size_t>(i % 977), static_cast<char>('a' + i % 26));
        bytes += line + "\r\n";
        expected.push_back(line);
    }
    const std::string huge(TextFile::kMaxLineBytes + 12345, 'z');
    bytes += huge + "\r\nafter\r\n";
    expected.push_back(huge.substr(0, TextFile::kMaxLineBytes));
    expected.push_back("after");
    TempDir::WriteFile(drive / "big.txt", bytes);

    TextFile file;
    ASSERT_TRUE(file.Open(L"c:\\big.txt"));
    const Lines lines = ReadAll(file);
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(lines[i], expected[i]) << "line " << i;
    }
}

TEST(TextFile, OpenFailsCleanly)
{
    TempDrive drive;
    std::filesystem::create_directory(drive / "folder");
    const wchar_t* paths[] = {L"c:\\missing.txt", L"c:\\folder", L"q:\\CityList.txt", L"", nullptr};
    for (const wchar_t* path : paths) {
        TextFile file;
        EXPECT_FALSE(file.Open(path));
        EXPECT_FALSE(file.IsOpen());
        std::string line;
        EXPECT_FALSE(file.ReadLine(line));
    }
}

} // namespace
