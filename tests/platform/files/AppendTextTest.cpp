#include "platform/files/AppendText.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>

namespace {

TEST(AppendText, AppendsToTheEndAcrossOpeners)
{
    TempDrive drive;
#ifndef _WIN32
    std::filesystem::remove_all(drive.path()); // a fresh machine: no folder for c: yet
#endif
    AppendText first;
    ASSERT_TRUE(first.Open(L"c:\\iptools.log"));
    ASSERT_TRUE(first.Write("one\r\n"));
    AppendText second;
    ASSERT_TRUE(second.Open(L"C:/iptools.log"));
    ASSERT_TRUE(second.Write("two\r\n"));
    ASSERT_TRUE(first.Write("three\r\n"));
    first.Close();
    second.Close();
    AppendText third;
    ASSERT_TRUE(third.Open(L"c:\\iptools.log"));
    ASSERT_TRUE(third.Write(""));
    ASSERT_TRUE(third.Write(std::string("\0\xFF", 2)));
    EXPECT_EQ(TempDir::ReadFile(drive / "iptools.log"), std::string("one\r\ntwo\r\nthree\r\n\0\xFF", 19));
}

TEST(AppendText, UnwritablePlacesFailCleanly)
{
    TempDrive drive;
    std::filesystem::create_directory(drive / "folder");
    const wchar_t* paths[] = {L"c:\\folder", L"c:\\missing\\iptools.log", L"q:\\iptools.log", L"", nullptr};
    for (const wchar_t* path : paths) {
        AppendText file;
        EXPECT_FALSE(file.Open(path));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_FALSE(file.Write("lost"));
    }
}

} // namespace
