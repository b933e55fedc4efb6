// The version record the program's file carries on Windows, read back by the
// system's version functions: this test program carries the same resource.
#include "app/ProductVersionText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::vector<unsigned char> OwnRecord()
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = length ? GetFileVersionInfoSizeW(path, &handle) : 0;
    std::vector<unsigned char> record(size);
    if (size == 0 || !GetFileVersionInfoW(path, handle, size, record.data())) record.clear();
    return record;
}

TEST(VersionRecordTest, TheTitleAndTheAboutBoxShowTheProjectVersion)
{
    EXPECT_EQ(GetProductVersionText(), L" " + Wide(KAVRO_VERSION) + L" ");
}

TEST(VersionRecordTest, AFileWithoutARecordShowsNoVersion)
{
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    wchar_t file[MAX_PATH];
    ASSERT_NE(GetTempFileNameW(folder, L"kvr", 0, file), 0u);
    EXPECT_EQ(GetProductVersionText(file), L"");
    DeleteFileW(file);
    EXPECT_EQ(GetProductVersionText(L"c:\\no such folder\\Kavro-TScap.exe"), L"");
}

TEST(VersionRecordTest, TheTextsNameTheProgramAndItsVersion)
{
    const std::vector<unsigned char> record = OwnRecord();
    ASSERT_FALSE(record.empty());
    const std::wstring version = Wide(KAVRO_VERSION);
    const struct {
        const wchar_t* name;
        std::wstring value;
    } cases[] = {
        {L"ProductName", L"Kavro-TScap"},
        {L"FileDescription", L"KavroN71 TS Recorder Tool"},
        {L"ProductVersion", version},
        {L"FileVersion", version},
        {L"OriginalFilename", L"Kavro-TScap.exe"},
    };
    for (const auto& c : cases) {
        const std::wstring block = std::wstring(L"\\StringFileInfo\\040904b0\\") + c.name;
        LPVOID value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(record.data(), block.c_str(), &value, &length));
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), c.value);
    }
}

} // namespace
