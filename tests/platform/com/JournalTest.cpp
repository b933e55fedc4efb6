#include "platform/com/DebugOut.h"
#include "platform/com/Journal.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace {

TEST(Journal, PiecesHaveTheDocumentedForms)
{
    EXPECT_EQ(JournalQuote("a \"b\"\\\n\t\x01"), "\"a \\\"b\\\"\\\\\\n\\t\\x01\"");
    const unsigned char bytes[] = {0xE0, 0x10, 0x38, 0xF5};
    EXPECT_EQ(JournalHex(bytes, sizeof bytes), "E0 10 38 F5");
    EXPECT_EQ(JournalHex(nullptr, 0), "-");
    EXPECT_EQ(JournalResult(E_FAIL), "0x80004005");
    EXPECT_EQ(JournalResult(S_FALSE), "0x00000001");
}

TEST(Journal, DebugOutputAndWholeLinesFromManyThreads)
{
    TempDir dir;
    const auto file = dir / "journal.txt";
    JournalOpen(file.string());
    ASSERT_TRUE(JournalEnabled());
    // Debug output reaches the journal on Linux; on Windows it goes to the
    // system's debugger instead.
#ifndef _WIN32
    OutputDebugStringW(L"tuned \"ok\"\n");
    OutputDebugStringA("plain");
#endif

    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 500; ++i) {
                JournalWrite("thread " + std::to_string(t) + " line " + std::to_string(i) + std::string(100, 'x'));
            }
        });
    }
    for (auto& t : threads) t.join();
    JournalClose();
    EXPECT_FALSE(JournalEnabled());
    JournalWrite("after close"); // dropped

    std::istringstream lines(TempDir::ReadFile(file));
    std::string line;
#ifndef _WIN32
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "debug \"tuned \\\"ok\\\"\\n\"");
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "debug \"plain\"");
#endif
    std::set<std::string> seen;
    while (std::getline(lines, line)) {
        EXPECT_EQ(line.substr(line.size() - 100), std::string(100, 'x')) << line;
        seen.insert(line);
    }
    EXPECT_EQ(seen.size(), 2000u);
}

TEST(Journal, UnwritableLocationLosesLinesQuietly)
{
    JournalOpen("/nonexistent-folder/journal.txt");
    EXPECT_FALSE(JournalEnabled());
    JournalWrite("nothing happens");
    OutputDebugStringA("nothing either");
    JournalClose();
}

} // namespace
