// The Windows program under Wine reads the script, the transcript, the journal
// and the world by their Wine paths: drive z: is the Linux root.
#include "tests/e2e/WinePath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

TEST(WinePath, LinuxPathsAreOnDriveZWithTheirSeparatorsTurned)
{
    struct Case {
        const char* linuxPath;
        std::string winePath;
    };
    const Case cases[] = {
        {"/", "Z:\\"},
        {"/tmp/run-1/script.txt", "Z:\\tmp\\run-1\\script.txt"},
        {"/tmp/with space/world.ini", "Z:\\tmp\\with space\\world.ini"},
        {"/tmp/a/../b/./journal.txt", "Z:\\tmp\\b\\journal.txt"},
        {"/data/Transponders/", "Z:\\data\\Transponders\\"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.linuxPath);
        EXPECT_EQ(c.winePath, WinePath(c.linuxPath));
    }
}

TEST(WinePath, ARelativePathIsTakenFromTheWorkingFolder)
{
    EXPECT_EQ(WinePath(std::filesystem::current_path() / "script.txt"), WinePath("script.txt"));
    EXPECT_EQ(0u, WinePath("script.txt").rfind("Z:\\", 0));
}

} // namespace
