#include "game/player_input.h"

#include "engine/input/keyboard.h"
#include "game/board/board.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/new_game.h"

namespace tuublark {

void PollKeys(GameState& g) {
    g.DropHeld = (KeyIsDown(VkDown) != 0 || KeyIsDown(VkUp) != 0) ? 1 : 0;
    // Up is only read when Down had no press, so its press then waits for
    // the next poll.
    g.DropHit = (KeyHitCount(VkDown) != 0 || KeyHitCount(VkUp) != 0) ? 1 : 0;
    if (KeyHitCount(VkLeft) != 0) {
        g.LeftHit = 1;
        g.MoveRepeatCounter = 1;
    } else {
        g.LeftHit = 0;
    }
    if (KeyHitCount(VkRight) != 0) {
        g.RightHit = 1;
        g.MoveRepeatCounter = 1;
    } else {
        g.RightHit = 0;
    }
    if (KeyIsDown(VkLeft)) {
        g.LeftHeld = 1;
        g.MoveRepeatCounter += 1;
    } else {
        g.LeftHeld = 0;
    }
    if (KeyIsDown(VkRight)) {
        g.RightHeld = 1;
        g.MoveRepeatCounter += 1;
    } else {
        g.RightHeld = 0;
    }
    g.RotateLeftHit = KeyHitCount(VkA) != 0 ? 1 : 0;
    g.RotateRightHit = KeyHitCount(VkS) != 0 ? 1 : 0;
    g.StartHit = KeyHitCount(VkSpace) != 0 ? 1 : 0;
    if (KeyHitCount(VkEscape) != 0) {
        if (g.Screen == kTitleScreen) {
            g.QuitRequested = 1;
        } else {
            ResetToTitle(g);
            StopMusic(g);
        }
    }
}

void HandleTitleKeys(GameState& g) {
    if (g.StartHit == 1) NewGame(g);
}

void ControlPiece(GameState& g) {
    if (g.PieceRow >= 1) {
        if (g.DropHeld == 1) g.DropStep = 1;
    } else if (g.DropHit == 1) {
        g.DropStep = 1;
        g.FallTimer = g.FallInterval;
    }
    if (g.LeftHit == 1 && g.PieceColumn >= 1) g.PieceMove = -1;
    if (g.RightHit == 1 && g.PieceColumn < 14) g.PieceMove = 1;
    if (g.LeftHeld == 1 && g.MoveRepeatCounter == 5) {
        if (g.PieceColumn > 0) g.PieceMove = -1;
        g.MoveRepeatCounter = 0;
    }
    if (g.RightHeld == 1 && g.MoveRepeatCounter == 5) {
        if (g.PieceColumn < 14) g.PieceMove = 1;
        g.MoveRepeatCounter = 0;
    }
    if (g.RotateLeftHit == 1) {
        int32_t topLeft = g.PieceTopLeft;
        g.PieceTopLeft = g.PieceTopRight;
        g.PieceTopRight = g.PieceBottomRight;
        g.PieceBottomRight = g.PieceBottomLeft;
        g.PieceBottomLeft = topLeft;
    }
    if (g.RotateRightHit == 1) {
        int32_t topLeft = g.PieceTopLeft;
        g.PieceTopLeft = g.PieceBottomLeft;
        g.PieceBottomLeft = g.PieceBottomRight;
        g.PieceBottomRight = g.PieceTopRight;
        g.PieceTopRight = topLeft;
    }
}

}  // namespace tuublark
