#include "positioner/SatelliteFiles.h"

#include "platform/files/WinPath.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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
        L"0192  Astra 1KR",
        L"3300  Hispasat 30W-5",
        L"  ",
        L"0130  " + std::wstring(259, L'x'),
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

} // namespace
