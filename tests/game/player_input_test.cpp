// Keyboard polling into the input flags, Escape on every screen, the title
// keys, and piece control: drops, sideways moves with auto-repeat, and the
// two rotations.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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
        g.Screen = kPlayScreen;
        g.FallInterval = 60;
        g.PieceRow = 1;
        g.PieceColumn = 7;
        AllocGameChannels(g);
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

// Key changes made between two polls, from column 7: a tap moves once and
// never repeats, two taps act as one, Right wins over Left.
TEST_F(PlayerInputTest, TapsBetweenPollsMoveOnce) {
    struct Case {
        std::vector<int> Keys;  // pressed, or released when negative
        std::vector<int> Moves;
        int Column;
    } cases[] = {
        {{VkRight, -VkRight}, {0}, 8},
        {{VkLeft, -VkLeft, VkLeft, -VkLeft}, {0}, 6},
        {{VkLeft, VkRight, -VkLeft, -VkRight}, {0}, 8},
    };
    for (const Case& c : cases) {
        SetUp();
        for (int key : c.Keys) key > 0 ? Keyboard().Press(key) : Keyboard().Release(-key);
        EXPECT_EQ(MoveFrames(20), c.Moves) << c.Column;
        EXPECT_EQ(g.PieceColumn, c.Column);
    }
}

TEST_F(PlayerInputTest, BothRotationsInOneFrameLeaveTheColoursAsTheyWere) {
    g.PieceTopLeft = g.PieceTopRight = g.PieceBottomRight = CellPieceA;
    g.PieceBottomLeft = CellPieceB;
    Keyboard().Press(VkA);
    Keyboard().Press(VkS);
    Frame();
    EXPECT_EQ(std::tuple(g.PieceTopLeft, g.PieceTopRight, g.PieceBottomLeft, g.PieceBottomRight),
              std::tuple(CellPieceA, CellPieceA, CellPieceB, CellPieceA));
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
    g.Screen = kTitleScreen;
    Keyboard().Press(VkLeft);
    Keyboard().Release(VkLeft);
    PollKeys(g);
    g.Screen = kPlayScreen;
    EXPECT_EQ(Frame(), 0);
}

}  // namespace
}  // namespace tuublark
