// The game state record: every variable the game procedures share.
//
// One instance is owned by main for the whole run; tests make their own.
// Every procedure of the game reads and writes it directly.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/audio/sound.h"
#include "engine/image/image.h"
#include "engine/runtime/list.h"
#include "engine/text/font.h"
#include "game/presentation/effects.h"

namespace tuublark {

constexpr int kBoardColumns = 16;
constexpr int kBoardRows = 12;

// The values of GameState::Screen, which the trace writes as numbers.
constexpr int32_t kTitleScreen = 1;
constexpr int32_t kPlayScreen = 2;
constexpr int32_t kGameOverScreen = 3;
constexpr int32_t kSkinChangeScreen = 4;

struct GameState {
    // Board and geometry.
    int32_t Board[kBoardColumns][kBoardRows] = {};  // Board[column][row], row 0 at the top
    int32_t BoardLeft = 0;
    int32_t BoardTop = 0;
    int32_t CellSize = 0;

    // Sweep.
    float SweepPosition = 0.0f;
    float SweepSpeed = 0.0f;
    int32_t SweepColumn = 0;
    int32_t SweepPassCount = 0;
    int32_t PassCells = 0;
    int32_t SweepGroupOpen = 0;
    int32_t CellsCleared = 0;
    int32_t GroupCells = 0;
    int32_t ClearBoxLeft = 0, ClearBoxRight = 0, ClearBoxTop = 0, ClearBoxBottom = 0;

    // The player's piece.
    int32_t PieceTopLeft = 0, PieceTopRight = 0, PieceBottomLeft = 0, PieceBottomRight = 0;
    int32_t PieceColumn = 0;
    int32_t PieceRow = 0;
    int32_t PieceMove = 0;
    int32_t DropStep = 0;
    int32_t FallTimer = 0;
    int32_t SpawnDelay = 0;
    int32_t FallInterval = 0;
    std::array<std::string, 16> PiecePatterns;
    std::array<std::string, 3> PieceQueue;
    int32_t QueueSlide = 0;
    // Working flags of the board update, cleared at its start.
    int32_t PieceCellIndex = 0, PieceDescends = 0, PieceLanded = 0;

    // Input flags.
    int32_t LeftHit = 0, RightHit = 0, LeftHeld = 0, RightHeld = 0;
    int32_t DropHit = 0, DropHeld = 0;
    int32_t RotateLeftHit = 0, RotateRightHit = 0, StartHit = 0;
    int32_t MoveRepeatCounter = 0;

    // Score, level and time.
    int32_t Score = 0;
    int32_t HighScore = 0;
    int32_t DeletedCount = 0;
    int32_t Level = 0;
    int32_t LevelUpPending = 0;
    int32_t CellsPerLevel = 0;
    int32_t PlayHours = 0, PlayMinutes = 0, PlaySeconds = 0;

    // Screens.
    int32_t Screen = 0;
    int32_t FrameCounter = 0;
    int32_t SkinChangeFrame = 0;
    int32_t SkinChangeLength = 0;
    int32_t QuitRequested = 0;

    // Skins.
    int32_t SkinIndex = 0;

    // Effects.
    TList<TEffect> EffectList;
    TList<TPopup> PopupList;
    EffectRef NewEffect;
    PopupRef NewPopup;

    // Pictures of the start-up catalogue.
    std::array<ImageRef, 10> Backgrounds;  // Background1 .. Background10
    ImageRef GridImage, WipeArrowImage;
    ImageRef AnimalAImage, AnimalBImage, AnimalALitImage, AnimalBLitImage;
    ImageRef LightTriggeredImage, DarkTriggeredImage, BlankImage, YellowImage;
    ImageRef ExplodeImage, SquareBurstImage, AnimalAShockImage, AnimalBShockImage;
    std::array<ImageRef, 8> TitleLetters;  // TitleLetter1 .. TitleLetter8
    ImageRef InstructionsImage, GameOverImage;
    ImageRef ScoreTagImage, HiTagImage, TimeTagImage, LevelTagImage, DelTagImage;
    ImageRef ReticuleImage, MarkerDotsImage, SkinupImage;
    ImageRef OddSkinBackground, EvenSkinBackground;

    // Font.
    FontRef GameFont;

    // Sounds and channels.
    ChannelRef MusicChannelA, MusicChannelB;
    ChannelRef EffectChannel1, EffectChannel2, EffectChannel3, EffectChannel4;
    std::array<ChannelRef, 4> SoundChannels;
    int32_t NextSoundChannel = 0;
    SoundRef TransitionSound, BleepSound, MusicLoopSound;
    int32_t SquareARequest = 0, SquareBRequest = 0, BleepRequest = 0;

    // Each PlaySound of the current frame as "ChannelVariable:path", in
    // call order; the trace reads it, the frame loop clears it.
    std::vector<std::string> FrameSounds;
};

// The screen point of a cell's column and row: the centre of its picture.
inline int32_t CellX(const GameState& g, int32_t column) { return g.BoardLeft + column * g.CellSize; }
inline int32_t CellY(const GameState& g, int32_t row) { return g.BoardTop + row * g.CellSize; }

}  // namespace tuublark
