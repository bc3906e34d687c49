#include <gtest/gtest.h>

#include "engine/input/keyboard.h"

namespace tuublark {
namespace {

TEST(Keyboard, PressesCountOnceEachButRepeatsOfAHeldKeyDoNot) {
    KeyboardState k;
    k.Press(VkLeft);
    k.Release(VkLeft);
    k.Press(VkLeft);
    k.Release(VkLeft);
    EXPECT_EQ(k.TakeHits(VkLeft), 2);
    EXPECT_EQ(k.TakeHits(VkLeft), 0);
    k.Press(VkDown);
    for (int i = 0; i < 30; ++i) k.Press(VkDown);  // repeats of a held key
    EXPECT_EQ(k.TakeHits(VkDown), 1);
    EXPECT_EQ(k.IsDown(VkDown), 1);
    k.Release(VkDown);
    EXPECT_EQ(k.IsDown(VkDown), 0);
    EXPECT_EQ(k.TakeHits(VkDown), 0);
}

TEST(Keyboard, OutOfRangeCodesReadAsZero) {
    KeyboardState k;
    k.Press(0);
    k.Press(256);
    k.Press(-5);
    EXPECT_EQ(k.TakeHits(0), 0);
    EXPECT_EQ(k.TakeHits(256), 0);
    EXPECT_EQ(k.IsDown(-5), 0);
    k.Press(255);
    EXPECT_EQ(k.TakeHits(255), 1);
}

TEST(Keyboard, FlushClearsCountsHeldFlagsAndCharacters) {
    KeyboardState k;
    k.Press(VkSpace);
    k.QueueChar('x');
    k.Flush();
    EXPECT_EQ(k.TakeHits(VkSpace), 0);
    EXPECT_EQ(k.IsDown(VkSpace), 0);
    EXPECT_EQ(k.TakeChar(), 0);
}

TEST(Keyboard, GameReadsPumpTheCurrentDriverFirst) {
    // The headless driver has no events: reads go straight to the state.
    Keyboard().Flush();
    Keyboard().Press(VkA);
    EXPECT_EQ(KeyIsDown(VkA), 1);
    EXPECT_EQ(KeyHitCount(VkA), 1);
    EXPECT_EQ(KeyHitCount(VkA), 0);
    FlushKeys();
    EXPECT_EQ(KeyIsDown(VkA), 0);
}

TEST(Keyboard, ListenerSeesEveryPressAndRelease) {
    KeyboardState k;
    std::vector<std::pair<bool, int>> seen;
    k.SetListener([&](bool down, int key) { seen.emplace_back(down, key); });
    k.Press(VkS);
    k.Press(VkS);
    k.Release(VkS);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(true, static_cast<int>(VkS)));
    EXPECT_EQ(seen[2], std::make_pair(false, static_cast<int>(VkS)));
}

}  // namespace
}  // namespace tuublark
