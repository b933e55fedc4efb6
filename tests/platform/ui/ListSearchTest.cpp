#include "platform/ui/ListSearch.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(ListSearch, PrefixSearchStartsAfterTheIndexAndWrapsRound)
{
    const QStringList items = {"12", "Alpha", "alpine", "beta", "BETA2"};
    struct Case {
        const char* name;
        int startAfter;
        const char* text;
        int expected;
    } cases[] = {
        {"whole list from the start", -1, "al", 1},
        {"letters compared without regard to case", -1, "BeT", 3},
        {"after an index", 1, "AL", 2},
        {"wraps round to the start", 2, "al", 1},
        {"from the last item wraps to the first", 4, "12", 0},
        {"the start item itself comes last", 3, "beta", 4},
        {"only the start item matches", 0, "1", 0},
        {"a shorter identifier finds a longer one", -1, "1", 0},
        {"no match", -1, "zz", -1},
        {"empty text matches nothing", -1, "", -1},
        {"start beyond the end searches all", 99, "al", 1},
        {"start below -1 searches all", -7, "al", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, FindStringPrefix(items, c.startAfter, QString::fromUtf8(c.text)));
    }
    EXPECT_EQ(-1, FindStringPrefix({}, -1, "a"));
}

TEST(ListSearch, ExactSearchIgnoresCaseButNotLength)
{
    const QStringList items = {"beta", "Alpha", "BETA"};
    EXPECT_EQ(0, FindStringExact(items, -1, "BETA"));
    EXPECT_EQ(2, FindStringExact(items, 0, "beta"));
    EXPECT_EQ(-1, FindStringExact(items, -1, "bet"));
    EXPECT_EQ(1, FindStringExact(items, 2, "alpha"));
}

TEST(ListSearch, SortedInsertGoesAfterEveryItemNotGreater)
{
    struct Case {
        const char* name;
        QStringList items;
        const char* text;
        int expected;
    } cases[] = {
        {"texts, not numbers: 10 before 2", {"1", "10", "2"}, "12", 2},
        {"after equal items", {"1", "10", "2"}, "2", 3},
        {"case does not order", {"Alpha", "beta"}, "ALPHA", 1},
        {"into an empty list", {}, "x", 0},
        {"before everything", {"b", "c"}, "a", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, SortedInsertIndex(c.items, QString::fromUtf8(c.text)));
    }
}

TEST(ListSearch, SortedInsertIntoALongListReadsOnlyAFewItems)
{
    // Five thousand satellite files fill one sorted box: reading every item for
    // each added one would freeze the page.
    QStringList items;
    for (int i = 0; i < 5000; ++i) items << QString::asprintf("%04d  Sat", i);
    for (const auto& [text, expected] : {std::pair{"0000  Sat", 1}, {"2500", 2500}, {"2500  SAT", 2501}, {"9", 5000}}) {
        SCOPED_TRACE(text);
        int reads = 0;
        const int index = SortedInsertIndex(
            static_cast<int>(items.size()),
            [&](int at) {
                ++reads;
                return items[at];
            },
            QString::fromUtf8(text));
        EXPECT_EQ(expected, index);
        EXPECT_EQ(SortedInsertIndex(items, QString::fromUtf8(text)), index);
        EXPECT_LE(reads, 13) << "a bisection of 5000 items";
    }
}

} // namespace
