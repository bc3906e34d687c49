#include "game/startup.h"

#include "engine/audio/sound.h"
#include "engine/display/graphics.h"
#include "engine/image/draw.h"
#include "engine/input/random.h"
#include "engine/input/system_driver.h"
#include "engine/text/font.h"
#include "game/assets.h"
#include "game/game_state.h"
#include "game/new_game.h"

namespace tuublark {
namespace {

void CreateContainers(GameState& g) {
    for (auto& column : g.Board)
        for (int32_t& cell : column) cell = 0;
    g.EffectList.Clear();
    g.PopupList.Clear();
    for (std::string& slot : g.PieceQueue) slot.clear();
    for (std::string& pattern : g.PiecePatterns) pattern.clear();
}

void SetStartValues(GameState& g) {
    g.QuitRequested = 0;
    ResetSweepAndPiece(g);
    g.BoardLeft = 175;
    g.BoardTop = 125;
    g.CellSize = 30;
    g.PieceRow = 0;
    g.Screen = kTitleScreen;
    g.FrameCounter = 0;
    g.HighScore = 10000;
    g.CellsPerLevel = 20;
    static const char* const kPatterns[16] = {"1221", "2112", "1122", "2211", "1212", "2121", "1121", "1112",
                                              "1211", "2111", "2212", "2221", "2122", "1222", "1111", "2222"};
    for (int i = 0; i < 16; ++i) g.PiecePatterns[i] = kPatterns[i];
}

void LoadPictures(GameState& g) {
    ImageRef* const targets[42] = {
        &g.Backgrounds[0],  &g.Backgrounds[1],      &g.Backgrounds[2],     &g.Backgrounds[3],    &g.Backgrounds[4],
        &g.Backgrounds[5],  &g.Backgrounds[6],      &g.Backgrounds[7],     &g.Backgrounds[8],    &g.Backgrounds[9],
        &g.GridImage,       &g.WipeArrowImage,      &g.AnimalAImage,       &g.AnimalBImage,      &g.AnimalALitImage,
        &g.AnimalBLitImage, &g.LightTriggeredImage, &g.DarkTriggeredImage, &g.BlankImage,        &g.YellowImage,
        &g.ExplodeImage,    &g.SquareBurstImage,    &g.AnimalAShockImage,  &g.AnimalBShockImage, &g.TitleLetters[0],
        &g.TitleLetters[1], &g.TitleLetters[2],     &g.TitleLetters[3],    &g.TitleLetters[4],   &g.TitleLetters[5],
        &g.TitleLetters[6], &g.TitleLetters[7],     &g.InstructionsImage,  &g.GameOverImage,     &g.ScoreTagImage,
        &g.HiTagImage,      &g.TimeTagImage,        &g.LevelTagImage,      &g.DelTagImage,       &g.ReticuleImage,
        &g.MarkerDotsImage, &g.SkinupImage,
    };
    for (int i = 0; i < 42; ++i) *targets[i] = LoadImage(kStartupImages[i].Path, kStartupImages[i].Flags);
}

}  // namespace

void ResetGameState(GameState& g) {
    g = GameState{};
    CreateContainers(g);
    SetStartValues(g);
}

void AllocGameChannels(GameState& g) {
    g.MusicChannelA = AllocChannel();
    g.MusicChannelB = AllocChannel();
    g.EffectChannel1 = AllocChannel();
    g.EffectChannel2 = AllocChannel();
    g.EffectChannel3 = AllocChannel();
    g.EffectChannel4 = AllocChannel();
    g.SoundChannels = {g.EffectChannel1, g.EffectChannel2, g.EffectChannel3, g.EffectChannel4};
}

int32_t StartUp(GameState& g, std::optional<int32_t> seed) {
    CreateContainers(g);
    OpenGraphics(800, 600, 16, 60);
    int32_t usedSeed = seed ? *seed : Millisecs();
    SeedRandom(usedSeed);
    SetMaskColor(0, 255, 0);
    SetAutoMidHandle(1);
    LoadPictures(g);
    g.OddSkinBackground = g.Backgrounds[0];
    g.EvenSkinBackground = g.Backgrounds[1];
    g.GameFont = LoadFont(kFontPath, kFontSize, kFontStyle);
    SetFont(g.GameFont);
    AllocGameChannels(g);
    g.TransitionSound = LoadSound(kTransitionSoundPath, 0);
    g.BleepSound = LoadSound(kBleepSoundPath, 0);
    for (const ChannelRef& channel :
         {g.MusicChannelA, g.MusicChannelB, g.EffectChannel1, g.EffectChannel2, g.EffectChannel3, g.EffectChannel4})
        SetChannelVolume(channel, 0.7f);
    SetStartValues(g);
    return usedSeed;
}

}  // namespace tuublark
