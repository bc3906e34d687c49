#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "engine/input/keyboard.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/presentation/skins.h"
#include "game/startup.h"

namespace tuublark {
namespace {

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGameState(g);
        Keyboard().Flush();
    }

    GameState g;
};

TEST_F(FrameLoop, SkinChangeEndsAfterItsLengthAndSkinTenWrapsToZero) {
    g.Screen = kSkinChangeScreen, g.SkinIndex = 9, g.SkinChangeLength = 3;
    for (int i = 0; i < 2; ++i) {
        RunFrame(g);
        ASSERT_EQ(g.Screen, kSkinChangeScreen);
        EXPECT_EQ(g.SweepPosition, 0.0f) << "the line stands during a change";
    }
    RunFrame(g);
    EXPECT_EQ(g.Screen, kPlayScreen);
    EXPECT_EQ(g.SkinIndex, 0) << "skin 10 is held as 0";
    EXPECT_EQ(g.SkinChangeFrame, 0);
    // The next change loads skin 1 (its values are the skin tests' concern).
    g.Screen = kSkinChangeScreen, g.SkinChangeLength = 1;
    RunFrame(g);
    EXPECT_EQ(g.SkinIndex, 1);
}

TEST_F(FrameLoop, OnlyAHigherScoreBecomesTheHighScore) {
    for (int32_t score : {10000, 9000, 10001}) {
        g.HighScore = 10000, g.Score = score;
        LeaveGame(g);
        EXPECT_EQ(g.HighScore, std::max(score, 10000)) << score;
    }
}

TEST_F(FrameLoop, EscapeOnTheTitleQuitsAfterTheFrame) {
    Keyboard().Press(VkEscape);
    RunFrame(g);
    EXPECT_EQ(g.QuitRequested, 1);
    EXPECT_EQ(g.FrameCounter, 1) << "the frame is finished first";
    EXPECT_EQ(g.SweepPosition, 2.0f);
}

TEST_F(FrameLoop, EscapeLeavesEveryOtherScreenWithoutTheHighScore) {
    for (int screen : {kPlayScreen, kGameOverScreen, kSkinChangeScreen}) {
        SetUp();
        g.Screen = screen, g.Score = 50000, g.FrameCounter = 55, g.SweepColumn = 9, g.SweepPassCount = 3;
        g.SweepPosition = 300.0f, g.SweepSpeed = 2.9f, g.PieceColumn = 3, g.LevelUpPending = 1, g.PassCells = 6;
        g.SkinChangeFrame = 40;
        Keyboard().Press(VkEscape);
        RunFrame(g);
        // The counters reset, then the title counted this frame; the score
        // stays and the high score does not take it.
        EXPECT_EQ(std::tuple(g.Screen, g.QuitRequested, g.HighScore, g.Score, g.PieceColumn, g.FrameCounter),
                  std::tuple(kTitleScreen, 0, 10000, 50000, 7, 1))
            << screen;
        EXPECT_EQ(std::tuple(g.SweepPassCount, g.LevelUpPending, g.PassCells, g.SkinChangeFrame),
                  std::tuple(0, 0, 0, 0))
            << screen;
        EXPECT_EQ(std::tuple(g.SweepSpeed, g.SweepPosition), std::tuple(2.0f, 2.0f)) << screen;
        Keyboard().Release(VkEscape);
    }
}

TEST_F(FrameLoop, PlayClockCountsSecondsOnEverySixtiethFrameAndRunsIntoHours) {
    g.PlayHours = 0, g.PlayMinutes = 59, g.PlaySeconds = 58;
    AdvancePlayClock(g, 59);
    EXPECT_EQ(std::tuple(g.PlayHours, g.PlayMinutes, g.PlaySeconds), std::tuple(0, 59, 58));
    for (int32_t frame : {60, 120}) AdvancePlayClock(g, frame);
    EXPECT_EQ(std::tuple(g.PlayHours, g.PlayMinutes, g.PlaySeconds), std::tuple(1, 0, 0));
    g.PlayMinutes = 59, g.PlaySeconds = 59;
    AdvancePlayClock(g, 180);
    EXPECT_EQ(std::tuple(g.PlayHours, g.PlayMinutes, g.PlaySeconds), std::tuple(2, 0, 0));
}

}  // namespace
}  // namespace tuublark
