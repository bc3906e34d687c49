#include "game/presentation/skins.h"

#include "engine/audio/sound.h"
#include "engine/audio/sound_preload.h"
#include "engine/image/image.h"
#include "game/game_state.h"

namespace tuublark {
namespace {

const TSkin kSkins[kSkinCount] = {
    {"Ely1", "Hippo2", "ElyLit1", "HippoLit1", "ElyShock", "HippoShock", 1, 2, 180, 60, 10, 120, 90,
     "Audio/Drumloop1.ogg"},
    {"Panda1", "Ape2", "PandaLit1", "ApeLit1", "PandaShock", "ApeShock", 3, 0, 180, 45, 20, 145, 104,
     "Audio/Drumloop2.ogg"},
    {"Lion1", "Ely2", "LionLit1", "ElyLit1", "LionShock", "ElyShock", 0, 4, 120, 45, 20, 134, 93,
     "Audio/Drumloop3.ogg"},
    {"Croc1", "Hippo2", "CrocLit1", "HippoLit1", "CrocShock", "HippoShock", 5, 0, 120, 35, 25, 77, 104,
     "Audio/Drumloop4.ogg"},
    {"Giraffe1", "Panda2", "GiraffeLit1", "PandaLit1", "GiraffeShock", "PandaShock", 0, 6, 120, 30, 25, 133, 80,
     "Audio/Drumloop5.ogg"},
    {"Ape1", "Croc2", "ApeLit1", "CrocLit1", "ApeShock", "CrocShock", 7, 0, 90, 45, 25, 174, 139,
     "Audio/Drumloop6.ogg"},
    {"Giraffe1", "Lion2", "GiraffeLit1", "LionLit1", "GiraffeShock", "LionShock", 0, 8, 90, 30, 30, 103, 165,
     "Audio/Drumloop7.ogg"},
    {"Hippo1", "Panda2", "HippoLit1", "PandaLit1", "HippoShock", "PandaShock", 9, 0, 60, 30, 30, 88, 160,
     "Audio/Drumloop8.ogg"},
    {"Ape1", "Lion2", "ApeLit1", "LionLit1", "ApeShock", "LionShock", 0, 10, 60, 20, 30, 90, 120,
     "Audio/Drumloop9.ogg"},
    {"Giraffe1", "Giraffe2", "GiraffeLit1", "GiraffeLit1", "GiraffeShock", "GiraffeShock", 1, 0, 60, 60, 50, 60, 120,
     "Audio/Drumloop10.ogg"},
};

std::string PicturePath(const char* name) { return std::string("graphics/") + name + ".bmp"; }

}  // namespace

const TSkin& SkinTable(int skin) { return kSkins[skin - 1]; }

float SkinSweepSpeed(int skin) { return static_cast<float>(SkinTable(skin).SweepPixelsPerSecond / 60.0); }

std::array<std::string, 6> SkinPicturePaths(int skin) {
    const TSkin& s = SkinTable(skin);
    return {PicturePath(s.AnimalA),    PicturePath(s.AnimalB),      PicturePath(s.AnimalALit),
            PicturePath(s.AnimalBLit), PicturePath(s.AnimalAShock), PicturePath(s.AnimalBShock)};
}

std::string MusicLoopPathForSkinIndex(int32_t skinIndex) {
    int skin = skinIndex == 0 ? 10 : skinIndex;
    if (skin < 1 || skin > kSkinCount) return "";
    return SkinTable(skin).MusicLoop;
}

void LoadSkinImages(GameState& g, int32_t skin) {
    if (skin < 1 || skin > kSkinCount) return;
    const TSkin& s = SkinTable(skin);
    std::array<std::string, 6> paths = SkinPicturePaths(skin);
    g.AnimalAImage = LoadImage(paths[0], 2);
    g.AnimalBImage = LoadImage(paths[1], 2);
    g.AnimalALitImage = LoadImage(paths[2], 2);
    g.AnimalBLitImage = LoadImage(paths[3], 2);
    g.AnimalAShockImage = LoadImage(paths[4], 4);
    g.AnimalBShockImage = LoadImage(paths[5], 4);
    if (s.OddBackground) g.OddSkinBackground = g.Backgrounds[s.OddBackground - 1];
    if (s.EvenBackground) g.EvenSkinBackground = g.Backgrounds[s.EvenBackground - 1];
    g.SpawnDelay = s.SpawnDelay;
    g.FallInterval = s.FallInterval;
    g.CellsPerLevel = s.CellsPerLevel;
}

void LoadSkinMusic(GameState& g, int32_t skin) {
    if (skin < 1 || skin > kSkinCount) return;
    const TSkin& s = SkinTable(skin);
    g.SweepSpeed = SkinSweepSpeed(skin);
    g.SkinChangeLength = s.SkinChangeLength;
    g.NextSoundChannel += 1;
    if (g.NextSoundChannel == 4) g.NextSoundChannel = 0;
    g.MusicLoopSound = TakePreparedSound(s.MusicLoop, 0);
    if (skin == 1) g.NextSoundChannel = 0;
    // The skin after this one: its loop is decoded while this skin plays, so
    // the frame that ends the next skin change does not have to.
    PrepareSound(SkinTable(skin % kSkinCount + 1).MusicLoop);
}

}  // namespace tuublark
