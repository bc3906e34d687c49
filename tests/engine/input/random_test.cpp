#include <gtest/gtest.h>

#include <set>

#include "engine/input/random.h"

namespace tuublark {
namespace {

TEST(Random, SeedRules) {
    SeedRandom(0);
    EXPECT_EQ(GetRandomState(), 4660);
    SeedRandom(0x7FFFFFFF);
    EXPECT_EQ(GetRandomState(), 4660);
    SeedRandom(-1);  // masks to 0x7FFFFFFF
    EXPECT_EQ(GetRandomState(), 4660);
    SeedRandom(7);
    EXPECT_EQ(GetRandomState(), 7);
    SeedRandom(static_cast<int32_t>(0x80000005));  // the sign bit is dropped
    EXPECT_EQ(GetRandomState(), 5);
}

TEST(Random, RandomIntBoundsAreInclusiveInEitherOrder) {
    SeedRandom(99);
    std::set<int32_t> seenPiece, seenPattern, seenReversed;
    for (int i = 0; i < 5000; ++i) {
        int32_t piece = RandomInt(9, 10);
        int32_t pattern = RandomInt(0, 15);
        int32_t reversed = RandomInt(3, 1);
        ASSERT_TRUE(piece == 9 || piece == 10);
        ASSERT_TRUE(pattern >= 0 && pattern <= 15);
        ASSERT_TRUE(reversed >= 1 && reversed <= 3);
        seenPiece.insert(piece);
        seenPattern.insert(pattern);
        seenReversed.insert(reversed);
        ASSERT_EQ(RandomInt(5, 5), 5);
    }
    EXPECT_EQ(seenPiece.size(), 2u);
    EXPECT_EQ(seenPattern.size(), 16u);
    EXPECT_EQ(seenReversed.size(), 3u);
}

}  // namespace
}  // namespace tuublark
