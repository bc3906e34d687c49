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

class PlayerInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        Keyboard().Flush();
        ResetGameState(g);
        g.Screen = 2;
        g.FallInterval = 60;
        g.PieceRow = 1;
        g.PieceColumn = 7;
        g.MusicChannelA = AllocChannel();
        g.MusicChannelB = AllocChannel();
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

TEST_F(PlayerInputTest, LeftAndRightPressedTogetherMoveRight) {
    Keyboard().Press(VkLeft);
    Keyboard().Press(VkRight);
    Keyboard().Release(VkLeft);
    Keyboard().Release(VkRight);
    EXPECT_EQ(Frame(), +1);
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

TEST_F(PlayerInputTest, KeysPressedOnOneScreenDoNotReachTheNext) {
    g.Screen = 1;
    Keyboard().Press(VkLeft);
    Keyboard().Release(VkLeft);
    PollKeys(g);
    g.Screen = 2;
    EXPECT_EQ(Frame(), 0);
}

}  // namespace
}  // namespace tuublark
