#include "game/assets.h"

#include <set>

#include "game/presentation/skins.h"

namespace tuublark {

const CatalogueImage kStartupImages[42] = {
    {"backgrounds/BG01.bmp", 2},        {"backgrounds/BG02.bmp", 2},         {"backgrounds/BG03.bmp", 2},
    {"backgrounds/BG04.bmp", 2},        {"backgrounds/BG05.bmp", 2},         {"backgrounds/BG06.bmp", 2},
    {"backgrounds/BG07.bmp", 2},        {"backgrounds/BG08.bmp", 2},         {"backgrounds/BG09.bmp", 2},
    {"backgrounds/BG10.bmp", 2},        {"graphics/Quelm-Grid.bmp", 2},      {"graphics/WipeArrow.bmp", 4},
    {"graphics/Croc1.bmp", 2},          {"graphics/hippo2.bmp", 2},          {"graphics/CrocLit1.bmp", 2},
    {"graphics/HippoLit1.bmp", 2},      {"graphics/Lighttriggered1.bmp", 2}, {"graphics/Darktriggered1.bmp", 2},
    {"graphics/blank1.bmp", 2},         {"graphics/Yellow1.bmp", 2},         {"graphics/Explode1.bmp", 2},
    {"graphics/SquareBurst.bmp", 2},    {"graphics/CrocShock.bmp", 4},       {"graphics/HippoShock.bmp", 4},
    {"Graphics/TBlock.bmp", 2},         {"Graphics/UBlock.bmp", 2},          {"Graphics/U2Block.bmp", 2},
    {"Graphics/BBlock.bmp", 2},         {"Graphics/LBlock.bmp", 2},          {"Graphics/ABlock.bmp", 2},
    {"Graphics/RBlock.bmp", 2},         {"Graphics/KBlock.bmp", 2},          {"Graphics/Instructions.bmp", 2},
    {"Graphics/GameOver.bmp", 2},       {"Graphics/ScoreTag.bmp", 4},        {"Graphics/HiTag.bmp", 4},
    {"Graphics/TimeTag.bmp", 4},        {"Graphics/LevelTag.bmp", 4},        {"Graphics/DelTag.bmp", 4},
    {"Graphics/PlayerReticule.bmp", 4}, {"Graphics/MarkerDots.bmp", 4},      {"Graphics/Skinup.bmp", 2},
};

std::vector<std::string> AllAssetPaths() {
    std::vector<std::string> paths;
    std::set<std::string> seen;
    auto add = [&](const std::string& path) {
        if (seen.insert(path).second) paths.push_back(path);
    };
    for (const CatalogueImage& image : kStartupImages) add(image.Path);
    add(kFontPath);
    add(kTransitionSoundPath);
    add(kBleepSoundPath);
    for (int skin = 1; skin <= kSkinCount; ++skin) {
        for (const std::string& picture : SkinPicturePaths(skin)) add(picture);
        add(SkinTable(skin).MusicLoop);
    }
    return paths;
}

}  // namespace tuublark
