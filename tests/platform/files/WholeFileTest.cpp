#include "platform/files/WholeFile.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

TEST(WholeFile, ReadsRegularFilesWithinTheLimitAndRefusesTheRest)
{
    TempDir dir;
    const std::string bytes("world\r\n\0\xFF\x1A tail", 15);
    TempDir::WriteFile(dir / "world.ini", bytes);
    TempDir::WriteFile(dir / "empty.ini", "");
    std::filesystem::create_directory(dir / "folder");
    struct Case {
        const char* name;
        std::filesystem::path path;
        std::size_t maxBytes;
        WholeFileRead result;
        std::string bytes;
    } cases[] = {
        {"every byte as it is", dir / "world.ini", 1000, WholeFileRead::Read, bytes},
        {"exactly the limit", dir / "world.ini", bytes.size(), WholeFileRead::Read, bytes},
        {"one byte over the limit", dir / "world.ini", bytes.size() - 1, WholeFileRead::TooLarge, ""},
        {"an empty file", dir / "empty.ini", 0, WholeFileRead::Read, ""},
        {"missing file", dir / "missing.ini", 1000, WholeFileRead::Missing, ""},
        {"missing folder on the way", dir / "missing" / "world.ini", 1000, WholeFileRead::Missing, ""},
        {"a folder", dir / "folder", 1000, WholeFileRead::NotRegular, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string read = "stale";
        EXPECT_EQ(ReadWholeFile(c.path, c.maxBytes, read), c.result);
        if (c.result == WholeFileRead::Read) {
            EXPECT_EQ(read, c.bytes);
        }
        EXPECT_EQ(std::string(WholeFileReadText(c.result)).empty(), c.result == WholeFileRead::Read);
    }
}

#ifndef _WIN32
// Named pipes are Linux's: one nobody writes must be refused, not waited on.
TEST(WholeFile, ANamedPipeIsRefusedWithoutWaiting)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    std::string read;
    EXPECT_EQ(ReadWholeFile(dir / "pipe", 1000, read), WholeFileRead::NotRegular);
}
#endif

} // namespace
