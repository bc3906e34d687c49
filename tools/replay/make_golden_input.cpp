// Plays a scripted session of several games through the game's own frame
// loop and writes the key events as a replay input file: the title screen,
// a first game played for squares through a skin change and then stacked
// up to a game over, a second game ended the same way, a third one left
// with Escape, and a long fourth game through the skins until it is
// stacked up near the end; the title screen between and after them.
//
// usage: make_golden_input OUTPUT [SEED [FRAMES]]
// Run it from the build folder, as the replay test runs the game.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/input/input_script.h"
#include "engine/input/keyboard.h"
#include "game/frame_loop.h"
#include "game/game_state.h"
#include "game/startup.h"

namespace tuublark {
namespace {

struct TPlacement {
    int Column = 7;
    int Rotations = 0;  // clockwise quarter turns; 3 is done as one counter-clockwise turn
};

bool Resting(int32_t code) { return code >= 1 && code <= 4; }

// Row of the topmost occupied cell of a column, ignoring the piece; 12 when
// the column is empty.
int SurfaceRow(const GameState& g, int column) {
    for (int r = 0; r < kBoardRows; ++r) {
        int32_t code = g.Board[column][r];
        if (code > 0 && code != 9 && code != 10) return r;
    }
    return kBoardRows;
}

// The four codes after `turns` clockwise rotations: top-left, top-right,
// bottom-left, bottom-right.
std::array<int32_t, 4> Rotated(const GameState& g, int turns) {
    std::array<int32_t, 4> p{g.PieceTopLeft, g.PieceTopRight, g.PieceBottomLeft, g.PieceBottomRight};
    for (int i = 0; i < turns; ++i) p = {p[2], p[0], p[3], p[1]};
    return p;
}

class TPlayer {
public:
    explicit TPlayer(uint32_t seed) : random_(seed) {}

    // Where the piece should go: the most new same-colour squares, then a low
    // and even stack; the path along rows 0 and 1 must be free.
    TPlacement Choose(const GameState& g) {
        TPlacement best;
        double bestValue = -1e9;
        for (int column = 0; column <= 14; ++column) {
            if (!PathFree(g, column)) continue;
            for (int turns = 0; turns < 4; ++turns) {
                double value = Evaluate(g, column, Rotated(g, turns)) + Jitter();
                if (value > bestValue) {
                    bestValue = value;
                    best = {column, turns};
                }
            }
        }
        return best;
    }

private:
    bool PathFree(const GameState& g, int target) {
        int lo = std::min(g.PieceColumn, target), hi = std::max(g.PieceColumn, target) + 1;
        for (int c = lo; c <= hi; ++c)
            for (int r = 0; r <= 1; ++r) {
                int32_t code = g.Board[c][r];
                if (code > 0 && code != 9 && code != 10) return false;
            }
        return true;
    }

    double Evaluate(const GameState& g, int column, const std::array<int32_t, 4>& piece) {
        int32_t board[kBoardColumns][kBoardRows];
        for (int c = 0; c < kBoardColumns; ++c)
            for (int r = 0; r < kBoardRows; ++r) {
                int32_t code = g.Board[c][r];
                board[c][r] = (code == 9 || code == 10) ? 0 : code;
            }
        int left = SurfaceRow(g, column), right = SurfaceRow(g, column + 1);
        int bottom = std::min(left, right) - 1;
        if (bottom <= 2) return -1000.0 + bottom;  // this would end the game
        // Each half of the piece comes to rest on its own column.
        board[column][left - 1] = piece[2] - 8;
        board[column][left - 2] = piece[0] - 8;
        board[column + 1][right - 1] = piece[3] - 8;
        board[column + 1][right - 2] = piece[1] - 8;
        int squares = 0;
        for (int c = std::max(0, column - 1); c <= std::min(14, column + 1); ++c)
            for (int r = 0; r < kBoardRows - 1; ++r) {
                int32_t a = board[c][r];
                if (!Resting(a)) continue;
                bool same = true;
                for (int32_t other : {board[c + 1][r], board[c][r + 1], board[c + 1][r + 1]})
                    same = same && Resting(other) && other % 2 == a % 2;
                if (!same) continue;
                bool fresh = false;
                for (int dc = 0; dc <= 1; ++dc)
                    for (int dr = 0; dr <= 1; ++dr) {
                        int cc = c + dc, rr = r + dr;
                        bool newLeft = cc == column && (rr == left - 1 || rr == left - 2);
                        bool newRight = cc == column + 1 && (rr == right - 1 || rr == right - 2);
                        fresh = fresh || newLeft || newRight;
                    }
                squares += fresh;
            }
        int top = std::min(left, right) - 2;
        double danger = top < 6 ? 12.0 * (6 - top) : 0.0;
        return 40.0 * squares + 1.5 * top - danger - 4.0 * std::abs(left - right);
    }

    double Jitter() { return std::uniform_real_distribution<double>(0.0, 3.0)(random_); }

public:
    std::mt19937 random_;
};

// The session's stages, in order.
enum class Stage {
    Title1,
    Game1,
    GameOver1,
    Title2,
    Game2,
    GameOver2,
    Title3,
    Game3,
    Title4,
    Game4,
    GameOver4,
    Title5
};

class TSession {
public:
    TSession(uint32_t seed) : player_(seed) {}

    // Key events for `frame`, decided from the state the previous frame left.
    std::vector<std::pair<bool, int>> Decide(const GameState& g, int32_t frame) {
        events_.clear();
        for (int key : releaseNext_) Up(key);
        releaseNext_.clear();
        bool playing = g.Screen == kPlayScreen || g.Screen == kSkinChangeScreen;
        switch (stage_) {
            case Stage::Title1:
                if (frame == 90) StartGame();
                if (playing) stage_ = Stage::Game1;
                break;
            case Stage::Game1:
                if (Ended(g, Stage::GameOver1)) break;
                if (g.SkinIndex >= 2 && g.Screen == kPlayScreen && stageFrame_ == 0) stageFrame_ = frame;
                Play(g, stageFrame_ != 0 && frame > stageFrame_ + 600);
                break;
            case Stage::GameOver1: AwaitTitle(g, frame, Stage::Title2); break;
            case Stage::Title2:
                if (frame == stageFrame_ + 420) {
                    StartGame();
                    stageFrame_ = frame;
                }
                if (playing) stage_ = Stage::Game2;
                break;
            case Stage::Game2:
                if (Ended(g, Stage::GameOver2)) break;
                Play(g, frame > stageFrame_ + 2400);
                break;
            case Stage::GameOver2: AwaitTitle(g, frame, Stage::Title3); break;
            case Stage::Title3:
                if (frame == stageFrame_ + 250) {
                    StartGame();
                    stageFrame_ = frame;
                }
                if (playing) stage_ = Stage::Game3;
                break;
            case Stage::Game3:
                if (frame == stageFrame_ + 900) {
                    ReleaseDrop();
                    Tap(VkEscape);
                    stage_ = Stage::Title4;
                    stageFrame_ = frame;
                    break;
                }
                Play(g, false);
                break;
            case Stage::Title4:
                if (frame == stageFrame_ + 400) StartGame();
                if (playing) stage_ = Stage::Game4;
                break;
            case Stage::Game4:
                if (Ended(g, Stage::GameOver4)) break;
                Play(g, frame > 18800);
                break;
            case Stage::GameOver4:
                // Another game while there is time for one.
                AwaitTitle(g, frame, frame < 18000 ? Stage::Title4 : Stage::Title5, 100);
                break;
            case Stage::Title5: break;
        }
        return events_;
    }

private:
    void Down(int key) { events_.push_back({true, key}); }
    void Up(int key) { events_.push_back({false, key}); }
    void Tap(int key) {
        Down(key);
        releaseNext_.push_back(key);
    }
    void StartGame() {
        Tap(VkSpace);
        pieceRow_ = -1;
    }
    void ReleaseDrop() {
        if (dropKey_) Up(dropKey_);
        if (holdKey_) Up(holdKey_);
        dropKey_ = holdKey_ = 0;
    }
    // A game over, or Escape back to the title, moves on to `gameOver`.
    bool Ended(const GameState& g, Stage gameOver) {
        if (g.Screen != kGameOverScreen && g.Screen != kTitleScreen) return false;
        stage_ = gameOver;
        return true;
    }
    // After a game over: keys let go, and `next` once the title is back,
    // its frames counted from `earlier` frames ago.
    void AwaitTitle(const GameState& g, int32_t frame, Stage next, int32_t earlier = 0) {
        ReleaseDrop();
        if (g.Screen != kTitleScreen) return;
        stage_ = next;
        stageFrame_ = frame - earlier;
    }

    // One frame of piece control. `stackUp` drops every piece where it
    // enters, so the stack grows to the top.
    void Play(const GameState& g, bool stackUp) {
        bool newPiece = g.PieceRow == 0 && pieceRow_ != 0;
        pieceRow_ = g.PieceRow;
        if (newPiece) {
            ReleaseDrop();
            plan_ = stackUp ? TPlacement{g.PieceColumn, 0} : player_.Choose(g);
            turnsLeft_ = plan_.Rotations;
            lastColumn_ = -1;
            wait_ = 2;
            return;
        }
        if (g.PieceRow != 0 || dropKey_) return;  // falling: the drop key is held
        if (wait_ > 0) {
            wait_ -= 1;
            return;
        }
        if (turnsLeft_ > 0) {
            if (turnsLeft_ == 3) {
                Tap(VkA);
                turnsLeft_ = 0;
            } else {
                Tap(VkS);
                turnsLeft_ -= 1;
            }
            wait_ = 1;
            return;
        }
        if (holdKey_) {
            // Repeats come every fifth frame; a hold that stops moving is blocked.
            holdFrames_ += 1;
            if (g.PieceColumn == plan_.Column || holdFrames_ > 24) {
                Up(holdKey_);
                holdKey_ = 0;
                lastColumn_ = -1;
                wait_ = 1;
            }
            return;
        }
        if (g.PieceColumn != plan_.Column && g.PieceColumn != lastColumn_) {
            int key = g.PieceColumn > plan_.Column ? VkLeft : VkRight;
            lastColumn_ = g.PieceColumn;
            if (std::abs(g.PieceColumn - plan_.Column) >= 4 && player_.random_() % 2 == 0) {
                Down(key);  // auto-repeat carries it
                holdKey_ = key;
                holdFrames_ = 0;
            } else {
                Tap(key);
                wait_ = 1;
            }
            return;
        }
        // In place (or blocked): release the piece and hold the key.
        dropKey_ = player_.random_() % 3 == 0 ? VkUp : VkDown;
        Down(dropKey_);
    }

    TPlayer player_;
    Stage stage_ = Stage::Title1;
    int32_t stageFrame_ = 0;
    std::vector<std::pair<bool, int>> events_;
    std::vector<int> releaseNext_;
    TPlacement plan_;
    int pieceRow_ = -1;
    int turnsLeft_ = 0;
    int lastColumn_ = -1;
    int holdFrames_ = 0;
    int wait_ = 0;
    int dropKey_ = 0;
    int holdKey_ = 0;
};

}  // namespace
}  // namespace tuublark

int main(int argc, char** argv) {
    using namespace tuublark;
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_golden_input OUTPUT [SEED [FRAMES]]\n");
        return 2;
    }
    const int32_t seed = argc > 2 ? std::atoi(argv[2]) : 20260;
    const int32_t frames = argc > 3 ? std::atoi(argv[3]) : 20000;
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::fprintf(stderr, "make_golden_input: %s: cannot write\n", argv[1]);
        return 1;
    }
    TEngine engine;  // headless drivers
    auto g = std::make_unique<GameState>();
    StartUp(*g, seed);

    std::fprintf(out, "# A scripted session: title, four games (three end by stacking up, one by\n");
    std::fprintf(out, "# Escape), title between and after. Written by tools/replay/make_golden_input.\n");
    std::fprintf(out, "seed %d\n", seed);
    TSession session(static_cast<uint32_t>(seed));
    int lastScreen = g->Screen, lastLevel = g->Level, lastSkin = g->SkinIndex;
    for (int32_t frame = 1; frame <= frames && !g->QuitRequested; ++frame) {
        for (auto [down, key] : session.Decide(*g, frame)) {
            std::fprintf(out, "%d %s %s\n", frame, down ? "down" : "up", KeyName(key).c_str());
            if (down) Keyboard().Press(key);
            else Keyboard().Release(key);
        }
        RunFrame(*g);
        if (g->Screen != lastScreen || g->Level != lastLevel || g->SkinIndex != lastSkin)
            std::printf("frame %5d: screen %d level %d skin %d score %d deleted %d\n", frame, g->Screen, g->Level,
                        g->SkinIndex, g->Score, g->DeletedCount);
        lastScreen = g->Screen;
        lastLevel = g->Level;
        lastSkin = g->SkinIndex;
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
