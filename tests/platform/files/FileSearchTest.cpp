#include "platform/files/FileSearch.h"
#include "platform/files/WinPath.h"
#include "tests/support/TempDrive.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

// Every name a pattern finds, in the order found.
std::vector<std::wstring> FindAll(const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    EXPECT_TRUE(FindClose(search));
    return names;
}

std::set<std::wstring> Sorted(const std::vector<std::wstring>& names) { return {names.begin(), names.end()}; }

TEST(FileSearch, PatternsMatchTheLastPartWithoutRegardToCase)
{
    TempDrive drive;
    std::filesystem::create_directories(drive / "Transponders" / "sub.ini");
    for (const char* name : {"Astra 19.2E.ini", "HOTBIRD.INI", "a.ini.bak", "ini", "x.in", "notes.txt", "ab.ini"}) {
        TempDir::WriteFile(drive / "Transponders" / name, "x");
    }
    struct Case {
        const wchar_t* pattern;
        std::set<std::wstring> names;
    } cases[] = {
        {L"c:\\Transponders\\*.ini", {L"Astra 19.2E.ini", L"HOTBIRD.INI", L"sub.ini", L"ab.ini"}},
        {L"C:/Transponders/*.Ini", {L"Astra 19.2E.ini", L"HOTBIRD.INI", L"sub.ini", L"ab.ini"}},
        {L"c:\\Transponders\\??.ini", {L"ab.ini"}},
        {L"c:\\Transponders\\*.in?", {L"Astra 19.2E.ini", L"HOTBIRD.INI", L"sub.ini", L"ab.ini"}},
        {L"c:\\Transponders\\*bird*", {L"HOTBIRD.INI"}},
        {L"c:\\Transponders\\ini", {L"ini"}},
        {L"c:\\Transponders\\*.*",
         {L".", L"..", L"Astra 19.2E.ini", L"HOTBIRD.INI", L"a.ini.bak", L"ini", L"x.in", L"notes.txt", L"ab.ini",
          L"sub.ini"}},
        {L"c:\\Transponders\\*.xyz", {}},
        {L"c:\\Nowhere\\*.ini", {}},
        {L"c:\\Transponders\\", {}},
        {L"q:\\*.ini", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(LocalPath(c.pattern).string());
        EXPECT_EQ(Sorted(FindAll(c.pattern)), c.names);
    }
}

TEST(FileSearch, DescribesEachMatch)
{
    TempDrive drive;
    TempDir::WriteFile(drive / "five.ini", "12345");
    TempDir::WriteFile(drive / "empty.ini", "");
    std::filesystem::create_directory(drive / "folder.ini");
    std::filesystem::permissions(drive / "empty.ini", std::filesystem::perms::owner_read);
    struct Case {
        const wchar_t* pattern;
        DWORD attributes;
        DWORD sizeLow;
    } cases[] = {
        {L"c:\\five.ini", 0, 5},
        {L"c:\\empty.ini", FILE_ATTRIBUTE_READONLY, 0},
        {L"c:\\folder.ini", FILE_ATTRIBUTE_DIRECTORY, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(LocalPath(c.pattern).string());
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW(c.pattern, &found);
        ASSERT_NE(search, INVALID_HANDLE_VALUE);
        // Windows adds the archive bit to new files; the folder and read-only bits count.
        EXPECT_EQ(found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY), c.attributes);
        EXPECT_EQ(found.nFileSizeLow, c.sizeLow);
        EXPECT_EQ(found.nFileSizeHigh, 0u);
        // After 2001-01-01 in 100 ns since 1601.
        EXPECT_GT(found.ftLastWriteTime.dwHighDateTime, 0x01C07000u);
        EXPECT_FALSE(FindNextFileW(search, &found));
        EXPECT_TRUE(FindClose(search));
    }
}

TEST(FileSearch, ThousandsOfFilesInListingOrder)
{
    TempDrive drive;
    std::filesystem::create_directory(drive / "many");
    for (int i = 0; i < 3000; ++i) {
        TempDir::WriteFile(drive / "many" / ("sat" + std::to_string(i) + ".ini"), "");
    }
    const auto names = FindAll(L"c:\\many\\*.ini");
    ASSERT_EQ(names.size(), 3000u);
    EXPECT_EQ(Sorted(names).size(), 3000u);
    std::vector<std::wstring> listing;
    for (const auto& entry : std::filesystem::directory_iterator(drive / "many")) {
        listing.push_back(entry.path().filename().wstring());
    }
    EXPECT_EQ(names, listing);
}

#ifndef _WIN32
// The stand-in checks its handles and arguments; the system's functions make no such
// promise (a null record crashes them).
TEST(FileSearch, BadHandlesAndArgumentsAreRefused)
{
    TempDrive drive;
    TempDir::WriteFile(drive / "a.ini", "");
    WIN32_FIND_DATAW found{};
    EXPECT_EQ(FindFirstFileW(nullptr, &found), INVALID_HANDLE_VALUE);
    EXPECT_EQ(FindFirstFileW(L"c:\\*.ini", nullptr), INVALID_HANDLE_VALUE);
    HANDLE search = FindFirstFileW(L"c:\\*.ini", &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FindNextFileW(search, nullptr));
    EXPECT_TRUE(FindClose(search));
    EXPECT_FALSE(FindClose(search)) << "closed twice";
    EXPECT_FALSE(FindNextFileW(search, &found)) << "used after close";
    EXPECT_FALSE(FindClose(INVALID_HANDLE_VALUE));
    int other = 0;
    EXPECT_FALSE(FindNextFileW(&other, &found));
    EXPECT_FALSE(FindClose(nullptr));
}
#endif

} // namespace
