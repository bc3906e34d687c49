// The ten skins: animal pictures, background slot, pace, sweep speed and
// drum loop of each stretch of a game.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tuublark {

struct GameState;

constexpr int kSkinCount = 10;

struct TSkin {
    // Picture names under "graphics/", without ".bmp".
    const char* AnimalA;
    const char* AnimalB;
    const char* AnimalALit;
    const char* AnimalBLit;
    const char* AnimalAShock;
    const char* AnimalBShock;
    int32_t OddBackground;   // background number for the odd slot, 0 = unchanged
    int32_t EvenBackground;  // likewise for the even slot
    int32_t SpawnDelay;
    int32_t FallInterval;
    int32_t CellsPerLevel;
    int32_t SweepPixelsPerSecond;  // SweepSpeed is the float nearest this / 60
    int32_t SkinChangeLength;
    const char* MusicLoop;
};

// Skin 1..10.
const TSkin& SkinTable(int skin);
float SkinSweepSpeed(int skin);
// The six picture paths of a skin, in load order.
std::array<std::string, 6> SkinPicturePaths(int skin);
// The music loop that belongs to a SkinIndex value (0 stands for skin 10).
std::string MusicLoopPathForSkinIndex(int32_t skinIndex);

void LoadSkinImages(GameState& g, int32_t skin);
void LoadSkinMusic(GameState& g, int32_t skin);

}  // namespace tuublark
