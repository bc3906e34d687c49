// Keyboard polling into the input flags, Escape on every screen, the title
// keys, and piece control: drops, sideways moves with auto-repeat, and the
// two rotations.
#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <tuple>
#include <vector>

#include "engine/input/keyboard.h"
#include "engine/input/system_driver.h"
#include "game/board/board.h"
#include "game/game_state.h"
#include "game/pause.h"
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

// Menu keys typed together, as a fast player or a loaded machine delivers
// them; what the game gets back after the menu.
class TTypedKeys : public THeadlessSystemDriver {
public:
    std::deque<int> MenuKeys;
    std::vector<std::pair<bool, int>> Queued;
    int TakeMenuKey() override {
        if (MenuKeys.empty()) return 0;
        int key = MenuKeys.front();
        MenuKeys.pop_front();
        return key;
    }
    void QueueKey(bool down, int key) override { Queued.emplace_back(down, key); }
};

// A menu takes no key after the one that opens or closes it: those are the
// game's (P then Pause pauses again; O then Down moves in the options).
TEST(Menus, TakeNoKeyAfterTheOneThatOpensOrClosesThem) {
    struct Case {
        const char* Name;
        int32_t Screen;  // -1: in the pause
        std::deque<int> Typed;
        TMenuRequest Request;
        std::deque<int> Left;
        size_t QueuedKeys;  // Escape down and up when the pause leaves the game
    };
    const Case cases[] = {
        {"P then Pause in play", kPlayScreen, {VkLeft, VkP, VkPause}, TMenuRequest::Pause, {VkPause}, 0},
        {"O then Down on the title", kTitleScreen, {VkO, VkDown}, TMenuRequest::Options, {VkDown}, 0},
        {"P on the title", kTitleScreen, {VkP, VkSpace}, TMenuRequest::None, {}, 0},
        {"P then Pause while paused", -1, {VkLeft, VkP, VkPause}, TMenuRequest::None, {VkPause}, 0},
        {"Escape then Space while paused", -1, {VkEscape, VkSpace}, TMenuRequest::None, {VkSpace}, 2},
    };
    for (const Case& c : cases) {
        SetSystemDriver(std::make_unique<TTypedKeys>());
        auto& typed = static_cast<TTypedKeys&>(SystemDriver());
        typed.MenuKeys = c.Typed;
        TMenuRequest request = TMenuRequest::None;
        if (c.Screen < 0) {
            RunPause(nullptr, [] { return false; });
        } else {
            request = TakeMenuRequest(c.Screen, TKeyBindings{});
        }
        EXPECT_EQ(request, c.Request) << c.Name;
        EXPECT_EQ(typed.MenuKeys, c.Left) << c.Name;
        EXPECT_EQ(typed.Queued.size(), c.QueuedKeys) << c.Name;
    }
    SetSystemDriver(nullptr);
}

}  // namespace
}  // namespace tuublark
