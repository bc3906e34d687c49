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

}  // namespace
}  // namespace tuublark
