#include "game/autoplay/autoplayer.h"

#include <algorithm>

#include "game/autoplay/stacks.h"
#include "game/autoplay/view.h"
#include "game/game_state.h"

namespace tuublark {

bool TAutoPlayer::Press(KeyboardState& keyboard, int key, bool hold) {
    if (frame_ - lastPress_ < 2) return false;
    lastPress_ = frame_;
    keyboard.Press(key);
    (hold ? held_ : tapped_).push_back(key);
    return true;
}

void TAutoPlayer::ReleaseAll(KeyboardState& keyboard) {
    for (int key : tapped_) keyboard.Release(key);
    for (int key : held_) keyboard.Release(key);
    tapped_.clear();
    held_.clear();
}

void TAutoPlayer::Play(const GameState& g, KeyboardState& keyboard) {
    frame_ += 1;
    for (int key : tapped_) keyboard.Release(key);
    tapped_.clear();
    const int32_t screen = g.Screen;
    if (screen != lastScreen_) titleFrames_ = 0;
    lastScreen_ = screen;
    if (screen == kTitleScreen) {
        // The next game's first piece is new; a skin change keeps the piece.
        lastRow_ = -1;
        ReleaseAll(keyboard);
        if (++titleFrames_ >= titleWait_) Press(keyboard, VkSpace, false);
    } else if (screen == kPlayScreen || screen == kSkinChangeScreen) {
        PlayPiece(g, keyboard);
    } else {
        ReleaseAll(keyboard);
    }
}

void TAutoPlayer::PlayPiece(const GameState& g, KeyboardState& keyboard) {
    const TView view = SeeGame(g);
    // A piece waiting at the top that was not there last frame is new.
    if (view.PieceRow == 0 && lastRow_ != 0) {
        ReleaseAll(keyboard);
        plan_ = givingUp_ ? TPlacement{view.PieceColumn, 0} : planner_.Choose(view);
        decisions_ += 1;
        turnsLeft_ = plan_.Turns;
        lastColumn_ = -1;
        stuck_ = 0;
        dropped_ = false;
    }
    lastRow_ = view.PieceRow;
    if (dropped_) return;
    if (turnsLeft_ > 0) {
        // Three clockwise turns are one the other way.
        if (Press(keyboard, turnsLeft_ == 3 ? VkA : VkS, false)) turnsLeft_ = turnsLeft_ == 3 ? 0 : turnsLeft_ - 1;
        return;
    }
    if (view.PieceColumn != plan_.Column && stuck_ < 2) {
        if (frame_ - lastPress_ < 2) return;
        // A press that did not move the piece met a wall.
        stuck_ = view.PieceColumn == lastColumn_ ? stuck_ + 1 : 0;
        lastColumn_ = view.PieceColumn;
        if (stuck_ < 2) Press(keyboard, view.PieceColumn > plan_.Column ? VkLeft : VkRight, false);
        return;
    }
    // On a crowded spot the piece waits for the line to take the squares
    // below it (or falls by itself), so the board is not filled faster
    // than the line empties it.
    const TStacks now = StacksOf(view.Board);
    const int c = view.PieceColumn;
    if (std::max(now.Height[c], now.Height[c + 1]) > kDropHeight && !givingUp_) return;
    if (Press(keyboard, VkDown, true)) dropped_ = true;
}

}  // namespace tuublark
