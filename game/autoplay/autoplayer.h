// The built-in player. Each frame it looks at the game as a person sees it
// (SeeGame) and presses and releases the game's keys in the key state,
// never pressing a key sooner than two frames after its last press. Once
// per piece it chooses where the piece goes (TPlanner), then turns
// it, moves it there and drops it. On the title screen it starts a game.
// It holds no randomness: the same game gives the same keys.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/input/keyboard.h"
#include "game/autoplay/planner.h"

namespace tuublark {

struct GameState;

class TAutoPlayer {
public:
    // `titleFrames`: frames on the title screen before it starts a game.
    explicit TAutoPlayer(int32_t titleFrames = kTitleFrames) : titleWait_(titleFrames) {}

    // Presses and releases keys for the frame about to run, from the
    // state the last frame left.
    void Play(const GameState& g, KeyboardState& keyboard);
    // Lets go of every key it holds.
    void ReleaseAll(KeyboardState& keyboard);
    // From now on every piece is dropped at once where it enters, so the
    // stack grows to the top and the game ends (the ten-skin golden game's
    // end).
    void GiveUp() { givingUp_ = true; }
    // Pieces decided so far.
    int32_t Decisions() const { return decisions_; }

    static constexpr int32_t kTitleFrames = 60;
    // The piece is dropped at once on columns no higher than this.
    static constexpr int kDropHeight = 5;

private:
    bool Press(KeyboardState& keyboard, int key, bool hold);
    void PlayPiece(const GameState& g, KeyboardState& keyboard);

    int32_t titleWait_;
    int64_t frame_ = 0;
    int64_t lastPress_ = -100;
    std::vector<int> tapped_;  // released the frame after their press
    std::vector<int> held_;
    int32_t titleFrames_ = 0;
    int32_t lastRow_ = -1;
    int32_t lastScreen_ = 0;
    int32_t decisions_ = 0;
    TPlanner planner_;
    TPlacement plan_;
    int turnsLeft_ = 0;
    int lastColumn_ = -1;
    int stuck_ = 0;
    bool dropped_ = true;
    bool givingUp_ = false;
};

}  // namespace tuublark
