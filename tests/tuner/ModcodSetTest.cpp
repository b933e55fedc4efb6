// The MODCOD filter list: layout for no choice, a partial choice and every
// MODCOD.
#include "tuner/ModcodSet.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Entry {
    std::uint32_t modcod, q1, q2;
};

void ExpectEntries(const ModcodList& list, const std::vector<Entry>& expected)
{
    ASSERT_EQ(expected.size(), std::uint32_t(list.count));
    for (std::size_t i = 0; i < MODCOD_LIST_CAPACITY; ++i) {
        SCOPED_TRACE(i);
        const Entry want = i < expected.size() ? expected[i] : Entry{0, 0, 0};
        EXPECT_EQ(want.modcod, std::uint32_t(list.entries[i].modcod));
        EXPECT_EQ(want.q1, std::uint32_t(list.entries[i].qualifier1));
        EXPECT_EQ(want.q2, std::uint32_t(list.entries[i].qualifier2));
    }
}

TEST(ModcodSet, NothingChosenIsAnAllZeroList)
{
    const ModcodList list = BuildModcodList({});
    const ModcodList zero{};
    EXPECT_EQ(0, std::memcmp(&zero, &list, sizeof(list)));
}

TEST(ModcodSet, ChosenModcodsListFourQualifierPairsInModcodOrder)
{
    std::array<bool, kModcodCount> chosen{};
    chosen[11] = true; // 8PSK_3/5
    chosen[3] = true;  // QPSK_1/2
    ExpectEntries(BuildModcodList(chosen),
                  {{4, 1, 0}, {4, 1, 1}, {4, 0, 0}, {4, 0, 1}, {12, 1, 0}, {12, 1, 1}, {12, 0, 0}, {12, 0, 1}});
}

TEST(ModcodSet, FullListHoldsEveryModcod)
{
    std::vector<Entry> expected;
    for (std::uint32_t m = 1; m <= 28; ++m) {
        for (const Entry q : {Entry{m, 1, 0}, Entry{m, 1, 1}, Entry{m, 0, 0}, Entry{m, 0, 1}}) expected.push_back(q);
    }
    ExpectEntries(FullModcodList(), expected);
}

} // namespace
