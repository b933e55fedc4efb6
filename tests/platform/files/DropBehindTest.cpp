#include "platform/files/DropBehind.h"
#include "platform/files/SequentialFile.h"
#include "tests/support/ComAssert.h"
#include "tests/support/TempDrive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr LONGLONG kChunk = DropBehind::kChunk;
constexpr LONGLONG kSample = 348 * 188; // the capture filter's sample

struct Recorded {
    std::vector<DropBehind::Step> steps;
    LONGLONG length = 0;
};

// A recording of the given bytes in writes of the given size, with every
// step the drop-behind asked for.
Recorded Record(LONGLONG total, LONGLONG writeSize)
{
    DropBehind dropBehind;
    Recorded recorded;
    while (recorded.length < total) {
        recorded.length += std::min(writeSize, total - recorded.length);
        const DropBehind::Step step = dropBehind.Advance(recorded.length);
        if (step.writeBytes > 0 || step.dropBytes > 0) recorded.steps.push_back(step);
    }
    return recorded;
}

TEST(DropBehind, NothingBeforeTheFirstWholeChunk)
{
    DropBehind dropBehind;
    for (LONGLONG length : {LONGLONG{0}, LONGLONG{188}, kChunk - 1}) {
        const DropBehind::Step step = dropBehind.Advance(length);
        EXPECT_EQ(0, step.writeBytes) << length;
        EXPECT_EQ(0, step.dropBytes) << length;
    }
    const DropBehind::Step first = dropBehind.Advance(kChunk);
    EXPECT_EQ(0, first.writeFrom);
    EXPECT_EQ(kChunk, first.writeBytes) << "the first chunk is written back";
    EXPECT_EQ(0, first.dropBytes) << "nothing is a lag behind yet";
    EXPECT_EQ(0, dropBehind.Advance(kChunk + 5).writeBytes) << "each chunk once";
}

TEST(DropBehind, WritesBackEveryChunkOnceAndDropsOnlyBehindTheLag)
{
    struct Case {
        const char* name;
        LONGLONG total;
        LONGLONG writeSize;
    };
    const Case cases[] = {
        {"capture samples, a long recording", 300 * kChunk + 12345, kSample},
        {"writes of exactly one chunk", 40 * kChunk, kChunk},
        {"writes of several chunks at once", 41 * kChunk + 7, 3 * kChunk + 188},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Recorded recorded = Record(c.total, c.writeSize);
        LONGLONG writeBackTo = 0;
        LONGLONG droppedBefore = 0; // the end of the drop range before the last
        LONGLONG droppedTo = 0;
        std::vector<int> asks(static_cast<std::size_t>(c.total / kChunk), 0);
        for (const DropBehind::Step& step : recorded.steps) {
            EXPECT_EQ(writeBackTo, step.writeFrom) << "write-back ranges follow each other";
            EXPECT_EQ(0, step.writeBytes % kChunk);
            writeBackTo = step.writeFrom + step.writeBytes;
            if (step.dropBytes == 0) continue;
            EXPECT_GE(step.dropFrom, 0);
            EXPECT_LE(step.dropFrom, droppedTo) << "no gap between drop ranges";
            EXPECT_EQ(writeBackTo - DropBehind::kLag, step.dropFrom + step.dropBytes)
                << "dropped up to the lag behind the write position, never within it";
            droppedBefore = droppedTo;
            droppedTo = step.dropFrom + step.dropBytes;
            for (LONGLONG chunk = step.dropFrom / kChunk; chunk * kChunk < droppedTo; ++chunk)
                ++asks[static_cast<std::size_t>(chunk)];
        }
        EXPECT_EQ(c.total - c.total % kChunk, writeBackTo) << "every whole chunk is written back";
        // Every chunk behind the lag is asked to leave, and asked again on a
        // later step for pages that were still being written back.
        for (LONGLONG chunk = 0; chunk < droppedTo / kChunk; ++chunk) {
            SCOPED_TRACE(chunk);
            EXPECT_GE(asks[static_cast<std::size_t>(chunk)], chunk < droppedBefore / kChunk ? 2 : 1);
        }
    }
}

TEST(DropBehind, ANewFileStartsFromItsBeginning)
{
    DropBehind dropBehind;
    dropBehind.Advance(10 * kChunk);
    dropBehind.Reset();
    const DropBehind::Step step = dropBehind.Advance(kChunk);
    EXPECT_EQ(0, step.writeFrom);
    EXPECT_EQ(kChunk, step.writeBytes);
    EXPECT_EQ(0, step.dropBytes);
}

TEST(DropBehind, ARecordingOfManyChunksKeepsEveryByteInOrder)
{
    // Samples of the capture filter's size over several chunks, so that
    // pages are written back and dropped while the file is written.
    TempDrive drive;
    SequentialFile file;
    ASSERT_HR(S_OK, file.Create(L"c:\\L-capture.ts"));
    std::string expected;
    const LONGLONG total = 5 * kChunk + 4321;
    for (unsigned i = 0; static_cast<LONGLONG>(expected.size()) < total; ++i) {
        std::string sample(static_cast<std::size_t>(std::min<LONGLONG>(kSample, total - expected.size())), '\0');
        for (std::size_t k = 0; k < sample.size(); ++k) sample[k] = static_cast<char>((k * 7 + i) & 0xFF);
        DWORD written = 0;
        ASSERT_HR(S_OK, file.Write(sample.data(), static_cast<DWORD>(sample.size()), &written));
        ASSERT_EQ(sample.size(), written);
        expected += sample;
    }
    EXPECT_HR(S_OK, file.Close());
    EXPECT_EQ(total, file.Length());
    EXPECT_TRUE(TempDir::ReadFile(drive / "L-capture.ts") == expected) << "the file differs from what was written";
}

} // namespace
