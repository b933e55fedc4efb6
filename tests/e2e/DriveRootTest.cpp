// Drive c: of a Wine prefix holds the system's folders beside what a run wrote:
// before a run everything else goes, after it everything else is copied out.
#include "tests/support/SystemFolders.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

namespace {

std::set<std::string> Entries(const std::filesystem::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(DriveRoot, TheSystemsFoldersAreKnownInAnyLetterCase)
{
    for (const char* name : {"windows", "Windows", "users", "ProgramData", "Program Files", "program files (x86)"}) {
        EXPECT_TRUE(IsSystemFolder(name)) << name;
    }
    for (const char* name : {"iptools.log", "Program", "Windows2", "Program Files (x64)", "temp", ""}) {
        EXPECT_FALSE(IsSystemFolder(name)) << name;
    }
}

// A drive c: as a prefix has it after a run: the system's folders, a log, a
// recording, a read-only file, a folder of recordings and a link.
void FillDrive(const TempDir& drive)
{
    for (const char* system : {"windows", "users", "ProgramData", "Program Files", "Program Files (x86)"}) {
        std::filesystem::create_directory(drive / system);
        TempDir::WriteFile(drive / system / "kept.txt", "system");
    }
    TempDir::WriteFile(drive / "iptools.log", "log\n");
    TempDir::WriteFile(drive / "L-capture.ts", std::string(188, 'G'));
    TempDir::WriteFile(drive / "read-only.ts", "ro");
    std::filesystem::permissions(drive / "read-only.ts", std::filesystem::perms::owner_read);
    std::filesystem::create_directory(drive / "Recordings");
    TempDir::WriteFile(drive / "Recordings" / "one.ts", "one");
    std::filesystem::create_symlink(drive / "windows", drive / "link");
}

TEST(DriveRoot, ClearingLeavesOnlyTheSystemsFolders)
{
    TempDir drive;
    FillDrive(drive);
    ClearDriveRoot(drive.path());
    EXPECT_EQ((std::set<std::string>{"windows", "users", "ProgramData", "Program Files", "Program Files (x86)"}),
              Entries(drive.path()));
    EXPECT_EQ("system", TempDir::ReadFile(drive / "windows" / "kept.txt")) << "the link was removed, not followed";
}

TEST(DriveRoot, CopyingTakesWhatTheRunLeftAndNotTheSystem)
{
    TempDir drive;
    FillDrive(drive);
    TempDir out;
    CopyDriveRoot(drive.path(), out.path());
    EXPECT_EQ((std::set<std::string>{"iptools.log", "L-capture.ts", "read-only.ts", "Recordings", "link"}),
              Entries(out.path()));
    EXPECT_EQ("log\n", TempDir::ReadFile(out / "iptools.log"));
    EXPECT_EQ(std::string(188, 'G'), TempDir::ReadFile(out / "L-capture.ts"));
    EXPECT_EQ("ro", TempDir::ReadFile(out / "read-only.ts"));
    EXPECT_EQ("one", TempDir::ReadFile(out / "Recordings" / "one.ts"));
    EXPECT_TRUE(std::filesystem::is_symlink(out / "link"));
    EXPECT_EQ(10u, Entries(drive.path()).size()) << "the drive itself is left as it was";
}

} // namespace
