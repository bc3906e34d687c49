#include <gtest/gtest.h>

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

    // Frames until the sweep wraps at `speed`.
    int FramesPerPass(float speed) {
        g.SweepSpeed = speed;
        g.SweepPosition = 0.0f;
        for (int frame = 1; frame < 10000; ++frame) {
            AdvanceSweep(g);
            if (g.SweepPosition == 0.0f) return frame;
        }
        return -1;
    }

    // Ends the current pass with a level-up pending.
    void LevelUpAtPassEnd() {
        g.LevelUpPending = 1;
        g.SweepSpeed = 2.0f;
        g.SweepPosition = 478.0f;
        AdvanceSweep(g);
    }

    GameState g;
};

TEST_F(FrameLoop, PassEndsInTheFrameTheLineReaches480) {
    EXPECT_EQ(FramesPerPass(2.0f), 240);
    EXPECT_EQ(FramesPerPass(SkinSweepSpeed(6)), 166);  // 2.9
    EXPECT_EQ(FramesPerPass(1.0f), 480);
    // Every skin's pass: 480 / speed frames, rounded up.
    EXPECT_EQ(FramesPerPass(SkinSweepSpeed(2)), 199);
    EXPECT_EQ(FramesPerPass(SkinSweepSpeed(4)), 375);
}

TEST_F(FrameLoop, PassEndPaysTheBonusAndResetsTheColumn) {
    g.Score = 500;
    g.PassCells = 12;
    g.SweepColumn = 16;
    g.SweepPosition = 479.0f;
    AdvanceSweep(g);
    EXPECT_EQ(g.Score, 620);
    EXPECT_EQ(g.PassCells, 0);
    EXPECT_EQ(g.SweepColumn, 0);
    EXPECT_EQ(g.SweepPosition, 0.0f);
}

TEST_F(FrameLoop, LevelUpSpeedsUpInDoublePrecisionFromTheFloatFactor) {
    g.Level = 1;
    g.FallInterval = 60;
    g.SpawnDelay = 180;
    const int32_t fall[] = {53, 47, 42};
    const int32_t spawn[] = {161, 144, 129};
    for (int i = 0; i < 3; ++i) {
        LevelUpAtPassEnd();
        EXPECT_EQ(g.FallInterval, fall[i]);
        EXPECT_EQ(g.SpawnDelay, spawn[i]);
        EXPECT_EQ(g.LevelUpPending, 0);
    }
    g.FallInterval = 30;
    g.Screen = 2;
    LevelUpAtPassEnd();
    EXPECT_EQ(g.FallInterval, 26);
}

TEST_F(FrameLoop, EveryFourthLevelBeginsASkinChange) {
    g.Screen = 2;
    g.Level = 1;
    for (int level = 2; level <= 12; ++level) {
        g.Screen = 2;
        g.SkinChangeFrame = 77;  // left over from a change cut short
        size_t effects = g.EffectList.Count();
        LevelUpAtPassEnd();
        ASSERT_EQ(g.Level, level);
        if (level % 4 == 0) {
            EXPECT_EQ(g.Screen, 4) << "level " << level;
            EXPECT_EQ(g.SkinChangeFrame, 0) << "a change counts from its start";
            EXPECT_EQ(g.EffectList.Count(), effects + 1);
            ASSERT_EQ(g.FrameSounds.size(), 1u);
            EXPECT_EQ(g.FrameSounds[0], "?:Audio/Transition.ogg");  // no channels without audio start-up
            g.FrameSounds.clear();
        } else {
            EXPECT_EQ(g.Screen, 2) << "level " << level;
            EXPECT_TRUE(g.FrameSounds.empty());
        }
    }
}

TEST_F(FrameLoop, SkinUpEffectStartsCentredAndFading) {
    g.Level = 3;
    LevelUpAtPassEnd();
    ASSERT_EQ(g.EffectList.Count(), 1u);
    const TEffect& e = *g.NewEffect;
    EXPECT_EQ(e.X, 400.0f);
    EXPECT_EQ(e.Y, 300.0f);
    EXPECT_EQ(e.Scale, 1.0f);
    EXPECT_EQ(e.ScaleSpeed, 0.1f);
    EXPECT_EQ(e.Blend, 4);
    EXPECT_EQ(e.AlphaSpeed, -0.02f);
    EXPECT_EQ(e.Life, 50);
}

TEST_F(FrameLoop, SkinChangeEndsAfterItsLengthAndSkinTenWrapsToZero) {
    g.Screen = 4;
    g.SkinIndex = 9;
    g.SkinChangeLength = 3;
    g.SweepPosition = 0.0f;
    for (int i = 0; i < 2; ++i) {
        RunFrame(g);
        ASSERT_EQ(g.Screen, 4);
        EXPECT_EQ(g.SweepPosition, 0.0f) << "the line stands during a change";
    }
    RunFrame(g);
    EXPECT_EQ(g.Screen, 2);
    EXPECT_EQ(g.SkinIndex, 0) << "skin 10 is held as 0";
    EXPECT_EQ(g.SkinChangeFrame, 0);
    EXPECT_EQ(g.SkinChangeLength, 120);
    EXPECT_EQ(g.SweepSpeed, 1.0f);
    EXPECT_EQ(g.CellsPerLevel, 50);
    // The next change loads skin 1.
    g.Screen = 4;
    g.SkinChangeLength = 1;
    RunFrame(g);
    EXPECT_EQ(g.SkinIndex, 1);
    EXPECT_EQ(g.SpawnDelay, 180);
    EXPECT_EQ(g.FallInterval, 60);
    EXPECT_EQ(g.CellsPerLevel, 10);
}

TEST_F(FrameLoop, GameOverScreenLasts120FramesThenLeavesTheGame) {
    g.Screen = 3;
    g.FrameCounter = 0;
    g.Score = 12345;
    g.SweepSpeed = 2.9f;
    g.PieceColumn = 12;
    g.LevelUpPending = 1;
    g.PassCells = 8;
    for (int frame = 1; frame < 120; ++frame) {
        RunFrame(g);
        ASSERT_EQ(g.Screen, 3) << frame;
        ASSERT_EQ(g.SweepPosition, 0.0f);
    }
    RunFrame(g);
    EXPECT_EQ(g.Screen, 1);
    EXPECT_EQ(g.HighScore, 12345);
    EXPECT_EQ(g.PieceColumn, 7);
    EXPECT_EQ(g.FrameCounter, 0);
    EXPECT_EQ(g.SweepPassCount, 0);
    EXPECT_EQ(g.SweepColumn, 0);
    // The title's sweep already ran in this frame, at the title speed.
    EXPECT_EQ(g.SweepSpeed, 2.0f);
    EXPECT_EQ(g.SweepPosition, 2.0f);
    // Nothing pending leaks into the title screen.
    EXPECT_EQ(g.LevelUpPending, 0);
    EXPECT_EQ(g.PassCells, 0);
    EXPECT_EQ(g.Score, 12345) << "the title still shows the last game";
}

TEST_F(FrameLoop, HighScoreTieChangesNothingAndLowerKeepsTheOld) {
    g.HighScore = 10000;
    g.Score = 10000;
    LeaveGame(g);
    EXPECT_EQ(g.HighScore, 10000);
    g.Score = 9000;
    LeaveGame(g);
    EXPECT_EQ(g.HighScore, 10000);
    g.Score = 10001;
    LeaveGame(g);
    EXPECT_EQ(g.HighScore, 10001);
}

TEST_F(FrameLoop, EscapeOnTheTitleQuitsAfterTheFrame) {
    Keyboard().Press(VkEscape);
    RunFrame(g);
    EXPECT_EQ(g.QuitRequested, 1);
    EXPECT_EQ(g.FrameCounter, 1) << "the frame is finished first";
    EXPECT_EQ(g.SweepPosition, 2.0f);
}

TEST_F(FrameLoop, EscapeLeavesEveryOtherScreenWithoutTheHighScore) {
    for (int screen : {2, 3, 4}) {
        ResetGameState(g);
        Keyboard().Flush();
        g.Screen = screen;
        g.Score = 50000;
        g.FrameCounter = 55;
        g.SweepColumn = 9;
        g.SweepPassCount = 3;
        g.SweepPosition = 300.0f;
        g.SweepSpeed = 2.9f;
        g.PieceColumn = 3;
        g.LevelUpPending = 1;
        g.PassCells = 6;
        g.SkinChangeFrame = 40;
        Keyboard().Press(VkEscape);
        RunFrame(g);
        EXPECT_EQ(g.Screen, 1) << screen;
        EXPECT_EQ(g.QuitRequested, 0);
        EXPECT_EQ(g.HighScore, 10000) << screen;
        EXPECT_EQ(g.PieceColumn, 7);
        EXPECT_EQ(g.SweepSpeed, 2.0f);
        EXPECT_EQ(g.FrameCounter, 1) << "reset, then the title counted this frame";
        EXPECT_EQ(g.SweepPassCount, 0);
        EXPECT_EQ(g.SweepPosition, 2.0f);
        EXPECT_EQ(g.LevelUpPending, 0);
        EXPECT_EQ(g.PassCells, 0);
        EXPECT_EQ(g.SkinChangeFrame, 0);
        EXPECT_EQ(g.Score, 50000);
        Keyboard().Release(VkEscape);
    }
}

TEST_F(FrameLoop, PlayClockTicksOncePerSixtyPlayFrames) {
    for (int32_t frame = 1; frame <= 3600; ++frame) AdvancePlayClock(g, frame);
    EXPECT_EQ(g.PlayMinutes, 1);
    EXPECT_EQ(g.PlaySeconds, 0);
    EXPECT_EQ(g.PlayHours, 0);
    g.PlayMinutes = 59;
    g.PlaySeconds = 59;
    AdvancePlayClock(g, 61);  // not a multiple of 60
    EXPECT_EQ(g.PlaySeconds, 59);
    AdvancePlayClock(g, 120);
    EXPECT_EQ(g.PlayHours, 1);
    EXPECT_EQ(g.PlayMinutes, 0);
    EXPECT_EQ(g.PlaySeconds, 0);
}

TEST_F(FrameLoop, SweepStandsStillOnGameOverAndSkinChangeScreens) {
    for (int screen : {3, 4}) {
        g.Screen = screen;
        g.SweepPosition = 100.0f;
        g.SkinChangeLength = 1000;
        g.FrameCounter = 0;
        RunFrame(g);
        EXPECT_EQ(g.SweepPosition, 100.0f) << screen;
    }
}

TEST_F(FrameLoop, UnknownScreenRunsNothing) {
    g.Screen = 9;
    g.SweepPosition = 10.0f;
    RunFrame(g);
    EXPECT_EQ(g.FrameCounter, 0);
    EXPECT_EQ(g.SweepPosition, 10.0f);
}

}  // namespace
}  // namespace tuublark
