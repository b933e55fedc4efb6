#include "sim/tuner/ScramblingCode.h"

#include <gtest/gtest.h>

using namespace sim;

namespace {

TEST(ScramblingCode, GoldAndRootNameTheSameSequence)
{
    struct Case {
        std::uint32_t gold;
        std::uint32_t root;
    };
    // From x(0) = 1 the sequence runs x(18) = x(7) + x(0) = 1 and
    // x(29) = x(18) + x(11) = 1; the register after n steps holds
    // x(n) .. x(n + 17) in bits 0 .. 17.
    const Case cases[] = {{0, 0x1}, {1, 0x20000}, {2, 0x10000}, {11, 0x80}, {12, 0x20040}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gold);
        EXPECT_EQ(GoldToRoot(c.gold), c.root);
        EXPECT_EQ(RootToGold(c.root), c.gold);
    }
    for (std::uint32_t gold : {8u, 131070u, 262141u, kMaxGoldCode}) {
        SCOPED_TRACE(gold);
        const std::uint32_t root = GoldToRoot(gold);
        EXPECT_GE(root, 1u);
        EXPECT_LE(root, kMaxRootCode);
        EXPECT_EQ(RootToGold(root), gold);
    }
    EXPECT_EQ(GoldToRoot(kMaxGoldCode + 1), 1u) << "the sequence repeats after 2^18 - 1 steps";
}

} // namespace
