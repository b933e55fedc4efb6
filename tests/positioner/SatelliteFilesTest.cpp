#include "positioner/SatelliteFiles.h"

#include "platform/files/WinPath.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace {

std::vector<std::wstring> Sorted(std::vector<std::wstring> entries)
{
    std::sort(entries.begin(), entries.end());
    return entries;
}

TEST(SatelliteFiles, OneEntryPerIniFileFromItsSatTypeSection)
{
    TempDir program;
    const auto folder = program / "Transponders";
    std::filesystem::create_directories(folder);
    TempDir::WriteFile(folder / "Astra.ini", "[SATTYPE]\r\n1=0192\r\n2=Astra 1KR\r\n[DVB]\r\n0=0\r\n");
    TempDir::WriteFile(folder / "west.INI", "[sattype]\n2=Hispasat 30W-5\n1=3300\n");
    TempDir::WriteFile(folder / "nosection.ini", "[DVB]\n0=0\n");
    TempDir::WriteFile(folder / "long.ini", "[SATTYPE]\n1=0130\n2=" + std::string(300, 'x') + "\n");
    TempDir::WriteFile(folder / "notes.txt", "[SATTYPE]\n1=0100\n2=Not a satellite file\n");
    std::filesystem::create_directories(folder / "folder.ini");

    const std::vector<std::wstring> expected = Sorted({
        L"0192  Astra 1KR", L"3300  Hispasat 30W-5", L"  ", L"0130  " + std::wstring(259, L'x'),
        L"  ", // a folder that the pattern matches reads as a file without the section
    });
    EXPECT_EQ(Sorted(SatelliteListEntries(WindowsPath(program.path()))), expected);
}

TEST(SatelliteFiles, NoFolderOrAnEmptyOneGivesNoEntries)
{
    TempDir program;
    EXPECT_TRUE(SatelliteListEntries(WindowsPath(program.path())).empty());
    std::filesystem::create_directories(program / "Transponders");
    EXPECT_TRUE(SatelliteListEntries(WindowsPath(program.path())).empty());
}

// A Transponders folder as a careless download leaves it: thousands of files,
// among them binary garbage, a line of a mebibyte, keys missing, a named pipe
// (which must not block the reading), a link to nothing, a folder, a file too
// large to be a satellite file, and files of other kinds. Every *.ini name
// gives one entry; nothing is changed.
TEST(SatelliteFiles, ThousandsOfFilesWithGarbageAndUnreadableOnesEachGiveAnEntry)
{
    TempDir program;
    const auto folder = program / "Transponders";
    std::filesystem::create_directories(folder);
    constexpr int kGood = 4990;
    for (int i = 0; i < kGood; ++i) {
        char code[8];
        std::snprintf(code, sizeof code, "%04d", i);
        TempDir::WriteFile(folder / (std::string(code) + ".ini"),
                           std::string("[SATTYPE]\r\n1=") + code + "\r\n2=Sat " + code + "\r\n[DVB]\r\n0=0\r\n");
    }
    std::string binary;
    for (int i = 0; i < 100000; ++i) binary += static_cast<char>((i * 2654435761u >> 11) & 0xFF);
    const std::map<std::string, std::string> odd = {
        {"binary.ini", binary},
        {"binary-after.ini", "[SATTYPE]\n1=9001\n2=After Garbage\n" + binary},
        {"megabyte.ini", "[SATTYPE]\n2=" + std::string(1 << 20, 'M') + "\n1=9002\n"},
        {"nokeys.ini", "[SATTYPE]\n[DVB]\n0=99999999999999999999999\n"},
        {"huge-code.ini", "[SATTYPE]\n1=1e400\n2=-99999999999999999999\n"},
        {"readme.txt", "[SATTYPE]\n1=0100\n2=not listed\n"},
    };
    for (const auto& [name, bytes] : odd) TempDir::WriteFile(folder / name, bytes);
#ifdef _WIN32
    // No named pipes among the files of a Windows folder, links need a privilege, and
    // the system's profile functions read a file of any size.
    constexpr int kSpecial = 2;    // the folder and the oversized file
    constexpr int kUnreadable = 1; // the folder
    constexpr bool kBigIsRead = true;
#else
    constexpr int kSpecial = 4; // the pipe, the link, the folder and the oversized file
    constexpr int kUnreadable = 4;
    constexpr bool kBigIsRead = false;
    ASSERT_EQ(0, mkfifo((folder / "pipe.ini").c_str(), 0600));
    std::filesystem::create_symlink(folder / "gone.ini.target", folder / "dangling.ini");
#endif
    std::filesystem::create_directory(folder / "directory.ini");
    {
        std::ofstream big(folder / "big.ini");
        big << "[SATTYPE]\n1=9003\n2=Too Big\n";
    }
    std::filesystem::resize_file(folder / "big.ini", std::uintmax_t{65} << 20); // sparse: cheap to make

    const std::vector<std::wstring> entries = SatelliteListEntries(WindowsPath(program.path()));
    EXPECT_EQ(kGood + 5 + kSpecial, static_cast<int>(entries.size())) << "one entry per *.ini name, the others skipped";
    const auto has = [&](const std::wstring& entry) {
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    };
    EXPECT_TRUE(has(L"0000  Sat 0000"));
    EXPECT_TRUE(has(L"4989  Sat 4989"));
    EXPECT_TRUE(has(L"9001  After Garbage"));
    EXPECT_TRUE(has(L"9002  " + std::wstring(259, L'M'))) << "cut to the value buffer";
    EXPECT_TRUE(has(L"1e400  -99999999999999999999"));
    EXPECT_FALSE(has(L"0100  not listed"));
    EXPECT_EQ(kBigIsRead, has(L"9003  Too Big")) << "a file beyond the reader's size limit reads as empty";
    EXPECT_EQ(2 + kUnreadable, std::count(entries.begin(), entries.end(), L"  "))
        << "garbage, missing keys, the pipe, the link, the folder and the oversized file";
    for (const auto& [name, bytes] : odd) EXPECT_EQ(bytes, TempDir::ReadFile(folder / name)) << name;
}

} // namespace
