#include "platform/ui/FileVersion.h"
#include "platform/ui/ProgramFile.h"

#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TEST(FileVersion, TheProgramFileCarriesProductVersion3008)
{
    const std::wstring program = ProgramFilePath();
    DWORD handle = 99;
    const DWORD size = GetFileVersionInfoSize(program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    EXPECT_EQ(0u, handle);
    std::vector<unsigned char> data(size);
    ASSERT_TRUE(GetFileVersionInfo(program.c_str(), handle, size, data.data()));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValue(data.data(), L"\\", reinterpret_cast<LPVOID*>(&info), &length));
    EXPECT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    EXPECT_EQ(0xFEEF04BDu, info->dwSignature);
    EXPECT_EQ(3u, info->dwProductVersionMS >> 16);
    EXPECT_EQ(0u, info->dwProductVersionMS & 0xFFFF);
    EXPECT_EQ(0u, info->dwProductVersionLS >> 16);
    EXPECT_EQ(8u, info->dwProductVersionLS & 0xFFFF);
    EXPECT_FALSE(VerQueryValue(data.data(), L"\\StringFileInfo", reinterpret_cast<LPVOID*>(&info), &length));
    EXPECT_FALSE(GetFileVersionInfo(program.c_str(), 0, size - 1, data.data())) << "buffer too small";
}

TEST(FileVersion, OtherFilesHaveNone)
{
    TempDir dir;
    TempDir::WriteFile(dir / "other.exe", "MZ");
    DWORD handle = 0;
    EXPECT_EQ(0u, GetFileVersionInfoSize((dir / "other.exe").wstring().c_str(), &handle));
    EXPECT_EQ(0u, GetFileVersionInfoSize(L"/no/such/file", &handle));
    EXPECT_EQ(0u, GetFileVersionInfoSize(L"", &handle));
    EXPECT_EQ(0u, GetFileVersionInfoSize(nullptr, &handle));
    EXPECT_EQ(L"platform_ui_test", ProgramBaseName());
}

} // namespace
