// The files the game reads: the start-up catalogue and the skins' files.
#pragma once

#include <string>
#include <vector>

namespace tuublark {

struct CatalogueImage {
    const char* Path;
    int Flags;
};

// The 42 pictures loaded at start-up, in load order: Background1..10,
// GridImage, WipeArrowImage, AnimalAImage, AnimalBImage, AnimalALitImage,
// AnimalBLitImage, LightTriggeredImage, DarkTriggeredImage, BlankImage,
// YellowImage, ExplodeImage, SquareBurstImage, AnimalAShockImage,
// AnimalBShockImage, TitleLetter1..8, InstructionsImage, GameOverImage,
// ScoreTagImage, HiTagImage, TimeTagImage, LevelTagImage, DelTagImage,
// ReticuleImage, MarkerDotsImage, SkinupImage.
extern const CatalogueImage kStartupImages[42];

inline constexpr const char* kFontPath = "graphics/rez.ttf";
inline constexpr int kFontSize = 24;
inline constexpr int kFontStyle = 4;
inline constexpr const char* kTransitionSoundPath = "Audio/Transition.ogg";
inline constexpr const char* kBleepSoundPath = "Audio/bleepecho.ogg";

// Every file the game may read during a run, start-up catalogue and skins.
std::vector<std::string> AllAssetPaths();

}  // namespace tuublark
