// Keyboard polling into the input flags, Escape on every screen, the title
// keys, and piece control: drops, sideways moves with auto-repeat, and the
// two rotations.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/audio/sound.h"
#include "engine/input/keyboard.h"
#include "game/board/board.h"
#include "game/game_state.h"
#include "game/player_input.h"
#include "game/startup.h"

namespace tuublark {
namespace {

class TRecordingChannel : public TChannel {
public:
    void Stop() override { Stopped += 1; }
    int Stopped = 0;
};

class PlayerInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        Keyboard().Flush();
        ResetGameState(g);
        g.Screen = 2;
        g.FallInterval = 60;
        g.PieceRow = 1;
        g.PieceColumn = 7;
        g.MusicChannelA = std::make_shared<TRecordingChannel>();
        g.MusicChannelB = std::make_shared<TRecordingChannel>();
        g.EffectChannel1 = AllocChannel();
        g.SoundChannels = {g.EffectChannel1, g.EffectChannel1, g.EffectChannel1, g.EffectChannel1};
    }
    void TearDown() override { Keyboard().Flush(); }

    // One play frame's input handling; the move is carried out as the board
    // update would when nothing is in the way, and the requests cleared.
    int Frame() {
        PollKeys(g);
        ControlPiece(g);
        int move = g.PieceMove;
        g.PieceColumn += move;
        g.PieceMove = 0;
        g.DropStep = 0;
        return move;
    }

    // Frames (counted from 0) in which the piece moved, over `frames` frames.
    std::vector<int> MoveFrames(int frames) {
        std::vector<int> moved;
        for (int i = 0; i < frames; ++i)
            if (Frame() != 0) moved.push_back(i);
        return moved;
    }

    static int Stops(const ChannelRef& channel) { return static_cast<TRecordingChannel&>(*channel).Stopped; }

    GameState g;
};

TEST_F(PlayerInputTest, HeldArrowMovesInFramesZeroThreeEightThirteen) {
    g.PieceColumn = 14;
    Keyboard().Press(VkLeft);
    EXPECT_EQ(MoveFrames(19), (std::vector<int>{0, 3, 8, 13, 18}));
    EXPECT_EQ(g.PieceColumn, 9);
    Keyboard().Release(VkLeft);

    g.PieceColumn = 0;
    Keyboard().Press(VkRight);
    EXPECT_EQ(MoveFrames(14), (std::vector<int>{0, 3, 8, 13}));
    EXPECT_EQ(g.PieceColumn, 4);
}

TEST_F(PlayerInputTest, TapShorterThanAFrameMovesOnceAndNeverRepeats) {
    Keyboard().Press(VkRight);
    Keyboard().Release(VkRight);
    EXPECT_EQ(MoveFrames(20), (std::vector<int>{0}));
    EXPECT_EQ(g.PieceColumn, 8);
}

TEST_F(PlayerInputTest, TwoPressesBetweenPollsActAsOne) {
    Keyboard().Press(VkLeft);
    Keyboard().Release(VkLeft);
    Keyboard().Press(VkLeft);
    Keyboard().Release(VkLeft);
    EXPECT_EQ(MoveFrames(5), (std::vector<int>{0}));
    EXPECT_EQ(g.PieceColumn, 6);
}

TEST_F(PlayerInputTest, HeldArrowAtTheEdgeMovesNothingButStillResetsTheCounter) {
    g.PieceColumn = 0;
    Keyboard().Press(VkLeft);
    std::vector<int> counters;
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(Frame(), 0);
        counters.push_back(g.MoveRepeatCounter);
    }
    EXPECT_EQ(counters, (std::vector<int>{2, 3, 4, 0, 1, 2, 3, 4, 0}));
    Keyboard().Release(VkLeft);

    g.PieceColumn = 14;
    Keyboard().Press(VkRight);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Frame(), 0);
    EXPECT_EQ(g.PieceColumn, 14);
    EXPECT_EQ(g.MoveRepeatCounter, 0);
}

TEST_F(PlayerInputTest, LeftAndRightPressedTogetherMoveRight) {
    Keyboard().Press(VkLeft);
    Keyboard().Press(VkRight);
    Keyboard().Release(VkLeft);
    Keyboard().Release(VkRight);
    EXPECT_EQ(Frame(), +1);
}

TEST_F(PlayerInputTest, BothArrowsHeldRepeatOnceToTheLeftThenNeverAgain) {
    Keyboard().Press(VkLeft);
    Keyboard().Press(VkRight);
    std::vector<int> moves;
    for (int i = 0; i < 25; ++i) moves.push_back(Frame());
    EXPECT_EQ(moves[0], +1);
    EXPECT_EQ(moves[1], -1);
    for (int i = 2; i < 25; ++i) EXPECT_EQ(moves[i], 0) << i;
    EXPECT_EQ(g.MoveRepeatCounter % 2, 0);
}

TEST_F(PlayerInputTest, RotationsTurnTheFourColoursEitherWay) {
    g.PieceTopLeft = CellPieceA;
    g.PieceTopRight = g.PieceBottomLeft = g.PieceBottomRight = CellPieceB;
    Keyboard().Press(VkA);
    Keyboard().Release(VkA);
    Frame();
    EXPECT_EQ(g.PieceBottomLeft, CellPieceA);  // counter-clockwise: top-left goes down
    EXPECT_EQ(g.PieceTopLeft + g.PieceTopRight + g.PieceBottomRight, 3 * CellPieceB);

    Keyboard().Press(VkS);
    Keyboard().Release(VkS);
    Frame();
    Keyboard().Press(VkS);
    Keyboard().Release(VkS);
    Frame();
    EXPECT_EQ(g.PieceTopRight, CellPieceA);  // clockwise twice from bottom-left
    EXPECT_EQ(g.PieceTopLeft + g.PieceBottomLeft + g.PieceBottomRight, 3 * CellPieceB);
}

TEST_F(PlayerInputTest, BothRotationsInOneFrameLeaveTheColoursAsTheyWere) {
    g.PieceTopLeft = CellPieceA;
    g.PieceTopRight = CellPieceA;
    g.PieceBottomLeft = CellPieceB;
    g.PieceBottomRight = CellPieceA;
    Keyboard().Press(VkA);
    Keyboard().Press(VkS);
    Frame();
    EXPECT_EQ(g.PieceTopLeft, CellPieceA);
    EXPECT_EQ(g.PieceTopRight, CellPieceA);
    EXPECT_EQ(g.PieceBottomLeft, CellPieceB);
    EXPECT_EQ(g.PieceBottomRight, CellPieceA);
}

TEST_F(PlayerInputTest, RotationShowsOnTheBoardInTheSameFrame) {
    g.PieceColumn = 3;
    g.PieceRow = 4;
    g.PieceTopLeft = g.Board[3][4] = CellPieceA;
    g.PieceTopRight = g.Board[4][4] = CellPieceB;
    g.PieceBottomLeft = g.Board[3][5] = CellPieceB;
    g.PieceBottomRight = g.Board[4][5] = CellPieceB;
    g.FallTimer = 30;
    Keyboard().Press(VkS);
    PollKeys(g);
    ControlPiece(g);
    UpdateBoard(g);
    EXPECT_EQ(g.Board[3][4], CellPieceB);
    EXPECT_EQ(g.Board[4][4], CellPieceA);
}

TEST_F(PlayerInputTest, WaitingPieceIsReleasedOnlyByAFreshPress) {
    // Down pressed and held while the previous piece fell.
    Keyboard().Press(VkDown);
    PollKeys(g);
    ControlPiece(g);
    EXPECT_EQ(g.DropStep, 1);

    // A new piece waits at the top.
    g.DropStep = 0;
    g.PieceRow = 0;
    g.FallTimer = 150;
    for (int i = 0; i < 3; ++i) {
        PollKeys(g);
        ControlPiece(g);
        EXPECT_EQ(g.DropStep, 0);
        EXPECT_EQ(g.FallTimer, 150);
    }

    Keyboard().Release(VkDown);
    Keyboard().Press(VkDown);
    PollKeys(g);
    ControlPiece(g);
    EXPECT_EQ(g.DropStep, 1);
    EXPECT_EQ(g.FallTimer, 60);
}

TEST_F(PlayerInputTest, FallingPieceStepsWhileTheDropKeyIsHeldOnly) {
    g.PieceRow = 3;
    Keyboard().Press(VkUp);
    Keyboard().Release(VkUp);
    PollKeys(g);
    ControlPiece(g);
    EXPECT_EQ(g.DropStep, 0);  // a press alone does nothing once falling

    Keyboard().Press(VkUp);
    for (int i = 0; i < 3; ++i) {
        g.DropStep = 0;
        g.FallTimer = 20;
        PollKeys(g);
        ControlPiece(g);
        EXPECT_EQ(g.DropStep, 1);
        EXPECT_EQ(g.FallTimer, 20);
    }
}

TEST_F(PlayerInputTest, UpPressedWithDownIsReadInTheNextFrame) {
    Keyboard().Press(VkDown);
    Keyboard().Press(VkUp);
    Keyboard().Release(VkDown);
    Keyboard().Release(VkUp);
    std::vector<int> hits;
    for (int i = 0; i < 3; ++i) {
        PollKeys(g);
        hits.push_back(g.DropHit);
    }
    EXPECT_EQ(hits, (std::vector<int>{1, 1, 0}));
}

TEST_F(PlayerInputTest, EscapeOnTheTitleQuitsAndChangesNothingElse) {
    g.Screen = 1;
    g.SweepPosition = 44.0f;
    Keyboard().Press(VkEscape);
    PollKeys(g);
    EXPECT_EQ(g.QuitRequested, 1);
    EXPECT_EQ(g.Screen, 1);
    EXPECT_EQ(g.SweepPosition, 44.0f);
    EXPECT_EQ(Stops(g.MusicChannelA), 0);
}

TEST_F(PlayerInputTest, EscapeDuringPlayGameOverOrSkinChangeReturnsToTheTitle) {
    for (int screen : {2, 3, 4}) {
        SetUp();
        g.Screen = screen;
        g.Score = 25000;
        g.HighScore = 10000;
        g.Level = 5;
        g.Board[3][11] = CellSettledB;
        g.PieceColumn = 12;
        g.SweepSpeed = 2.9f;
        g.FrameCounter = 40;
        g.SweepColumn = 5;
        g.SweepPassCount = 7;
        g.SweepPosition = 123.0f;
        Keyboard().Press(VkEscape);
        PollKeys(g);
        EXPECT_EQ(g.Screen, 1) << screen;
        EXPECT_EQ(g.QuitRequested, 0);
        EXPECT_EQ(g.PieceColumn, 7);
        EXPECT_EQ(g.SweepSpeed, 2.0f);
        EXPECT_EQ(g.FrameCounter, 0);
        EXPECT_EQ(g.SweepColumn, 0);
        EXPECT_EQ(g.SweepPassCount, 0);
        EXPECT_EQ(g.SweepPosition, 0.0f);
        EXPECT_EQ(Stops(g.MusicChannelA), 1) << screen;
        EXPECT_EQ(Stops(g.MusicChannelB), 1) << screen;
        EXPECT_EQ(g.HighScore, 10000);
        EXPECT_EQ(g.Score, 25000);
        EXPECT_EQ(g.Level, 5);
        EXPECT_EQ(g.Board[3][11], CellSettledB);
        Keyboard().Flush();
    }
}

TEST_F(PlayerInputTest, KeysPressedOnOneScreenDoNotReachTheNext) {
    g.Screen = 1;
    Keyboard().Press(VkLeft);
    Keyboard().Release(VkLeft);
    PollKeys(g);
    g.Screen = 2;
    EXPECT_EQ(Frame(), 0);
}

TEST_F(PlayerInputTest, SpaceOnTheTitleStartsAGame) {
    g.Screen = 1;
    PollKeys(g);
    HandleTitleKeys(g);
    EXPECT_EQ(g.Screen, 1);
    Keyboard().Press(VkSpace);
    PollKeys(g);
    HandleTitleKeys(g);
    EXPECT_EQ(g.Screen, 2);
    EXPECT_EQ(g.Level, 1);
    EXPECT_EQ(g.PieceColumn, 7);
    EXPECT_NE(g.Board[7][0], 0);
}

}  // namespace
}  // namespace tuublark
