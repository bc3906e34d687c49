#include "game/frame_loop.h"

#include "engine/display/graphics.h"
#include "engine/runtime/strings.h"
#include "game/assets.h"
#include "game/board/board.h"
#include "game/game_sound.h"
#include "game/game_state.h"
#include "game/new_game.h"
#include "game/player_input.h"
#include "game/presentation/screens.h"
#include "game/presentation/skins.h"

namespace tuublark {

void RunFrame(GameState& g) {
    g.FrameSounds.clear();
    PollKeys(g);
    switch (g.Screen) {
        case kTitleScreen:
            g.FrameCounter += 1;
            HandleTitleKeys(g);
            UpdateTitleScreen(g);
            break;
        case kPlayScreen:
            g.FrameCounter += 1;
            AdvancePlayClock(g, g.FrameCounter);
            ControlPiece(g);
            UpdateBoard(g);
            UpdateSweep(g);
            DrawPlayScreen(g);
            break;
        case kGameOverScreen:
            g.FrameCounter += 1;
            DrawGameOverScreen(g);
            if (g.FrameCounter == kGameOverFrames) LeaveGame(g);
            break;
        case kSkinChangeScreen:
            g.FrameCounter += 1;
            g.SkinChangeFrame += 1;
            ControlPiece(g);
            UpdateBoard(g);
            DrawPlayScreen(g);
            // A game that ended in this frame stays over.
            if (g.Screen == kSkinChangeScreen && g.SkinChangeFrame == g.SkinChangeLength) FinishSkinChange(g);
            break;
        default: break;
    }
    if (g.Screen == kTitleScreen || g.Screen == kPlayScreen) AdvanceSweep(g);
}

void PresentFrame() {
    FlipFrame();
    ClearScreen();
}

namespace {

// The line's move in one frame. Kept in one place so that the pass length
// of the sound files is counted with the very sum the game makes.
float SweepStep(float position, float speed) { return position + speed; }

}  // namespace

void AdvanceSweep(GameState& g) {
    g.SweepPosition = SweepStep(g.SweepPosition, g.SweepSpeed);
    if (g.SweepPosition < kPassLength) return;
    g.SweepPosition = 0.0f;
    g.SweepColumn = 0;
    g.Score += g.PassCells * 10;
    g.PassCells = 0;
    if (g.LevelUpPending == 1) {
        g.Level += 1;
        g.FallInterval = FloatToInt(g.FallInterval * static_cast<double>(kLevelSpeedFactor));
        g.SpawnDelay = FloatToInt(g.SpawnDelay * static_cast<double>(kLevelSpeedFactor));
        if (g.Level % 4 == 0) BeginSkinChange(g);
        g.LevelUpPending = 0;
    }
}

int32_t SweepPassFrames(float speed) {
    if (!(speed > 0.0f)) return 0;
    float position = 0.0f;
    int32_t frames = 0;
    while (position < kPassLength) {
        float next = SweepStep(position, speed);
        if (next == position) return 0;  // too slow to ever get there
        position = next;
        ++frames;
    }
    return frames;
}

void BeginSkinChange(GameState& g) {
    g.SkinChangeFrame = 0;  // every change counts from the start
    g.Screen = kSkinChangeScreen;
    g.NewEffect = std::make_shared<TEffect>();
    g.NewEffect->X = 400.0f;
    g.NewEffect->Y = 300.0f;
    g.NewEffect->Scale = 1.0f;
    g.NewEffect->ScaleSpeed = 0.1f;
    g.NewEffect->Blend = 4;
    g.NewEffect->Alpha = 1.0f;
    g.NewEffect->AlphaSpeed = -0.02f;
    g.NewEffect->Life = 50;
    g.NewEffect->Image = g.SkinupImage;
    ListAddLast(g.EffectList, g.NewEffect);
    PlayGameSound(g, g.TransitionSound, kTransitionSoundPath, g.SoundChannels[g.NextSoundChannel]);
}

void FinishSkinChange(GameState& g) {
    g.SkinIndex += 1;
    LoadSkinImages(g, g.SkinIndex);
    LoadSkinMusic(g, g.SkinIndex);
    if (g.SkinIndex == 10) g.SkinIndex = 0;
    g.Screen = kPlayScreen;
    g.SkinChangeFrame = 0;
    g.SweepPosition = 0.0f;
}

void ResetToTitle(GameState& g) {
    g.Screen = kTitleScreen;
    ResetSweepAndPiece(g);
    g.FrameCounter = 0;
    g.LevelUpPending = 0;
    g.SkinChangeFrame = 0;
}

void LeaveGame(GameState& g) {
    g.Screen = kTitleScreen;
    if (g.Score > g.HighScore) g.HighScore = g.Score;
    ResetToTitle(g);
}

void AdvancePlayClock(GameState& g, int32_t frame) {
    if (frame % 60 != 0) return;
    g.PlaySeconds += 1;
    if (g.PlaySeconds != 60) return;
    g.PlaySeconds = 0;
    g.PlayMinutes += 1;
    if (g.PlayMinutes != 60) return;
    g.PlayMinutes = 0;
    g.PlayHours += 1;
}

}  // namespace tuublark
