#include "tools/assetgen/asset_files.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tools/assetgen/animals.h"
#include "tools/assetgen/backgrounds.h"
#include "tools/assetgen/drum_loops.h"
#include "tools/assetgen/effect_sounds.h"
#include "tools/assetgen/ogg_writer.h"
#include "tools/assetgen/title_letters.h"
#include "tools/assetgen/ui_pictures.h"

namespace tuublark::assetgen {
namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

bool EndsWith(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t slash = path.find('/', start);
        parts.push_back(path.substr(start, slash - start));
        if (slash == std::string::npos) break;
        start = slash + 1;
    }
    return parts;
}

bool PictureFor(const std::string& stem, Picture& picture) {
    static const char* const kLetterBlocks[8] = {"tblock", "ublock", "u2block", "bblock",
                                                 "lblock", "ablock", "rblock",  "kblock"};
    static const char kLetters[8] = {'T', 'U', 'U', 'B', 'L', 'A', 'R', 'K'};
    struct TagName {
        const char* Stem;
        const char* Label;
    };
    static const TagName kTags[5] = {
        {"leveltag", "LEVEL"}, {"timetag", "TIME"}, {"scoretag", "SCORE"}, {"hitag", "HI"}, {"deltag", "DEL"}};

    if (stem.size() == 4 && stem.compare(0, 2, "bg") == 0 && std::isdigit(static_cast<unsigned char>(stem[2])) &&
        std::isdigit(static_cast<unsigned char>(stem[3]))) {
        int number = std::stoi(stem.substr(2));
        if (number < 1 || number > 10) return false;
        picture = DrawBackground(number);
        return true;
    }
    for (int i = 0; i < 8; ++i)
        if (stem == kLetterBlocks[i]) {
            picture = DrawLetterBlock(kLetters[i], i);
            return true;
        }
    for (int i = 0; i < 5; ++i)
        if (stem == kTags[i].Stem) {
            picture = DrawTag(kTags[i].Label, i);
            return true;
        }
    struct Named {
        const char* Stem;
        Picture (*Draw)();
    };
    static const Named kNamed[] = {
        {"quelm-grid", DrawGrid},
        {"markerdots", DrawMarkerDots},
        {"wipearrow", DrawWipeArrow},
        {"playerreticule", DrawReticule},
        {"instructions", DrawInstructions},
        {"gameover", DrawGameOver},
        {"skinup", DrawSkinup},
        {"lighttriggered1", [] { return DrawTriggered(true); }},
        {"darktriggered1", [] { return DrawTriggered(false); }},
        {"yellow1", DrawYellowFlash},
        {"explode1", DrawExplosion},
        {"squareburst", DrawSquareBurst},
        {"blank1", DrawBlankCell},
    };
    for (const Named& named : kNamed)
        if (stem == named.Stem) {
            picture = named.Draw();
            return true;
        }
    // Animals: <name>1 light, <name>2 dark, <name>lit1 glowing, <name>shock.
    struct Suffix {
        const char* Text;
        AnimalLook Look;
    };
    static const Suffix kSuffixes[] = {
        {"lit1", AnimalLook::Lit}, {"shock", AnimalLook::Shock}, {"1", AnimalLook::Light}, {"2", AnimalLook::Dark}};
    for (const Suffix& suffix : kSuffixes)
        if (EndsWith(stem, suffix.Text)) {
            std::string name = stem.substr(0, stem.size() - std::strlen(suffix.Text));
            if (!IsAnimal(name)) continue;
            picture = DrawAnimal(name, suffix.Look);
            return true;
        }
    return false;
}

bool SoundFor(const std::string& stem, std::vector<uint8_t>& bytes) {
    if (stem == "transition") {
        bytes = EncodeOggVorbis(RenderTransition(), 0x70A1);
        return true;
    }
    if (stem == "bleepecho") {
        bytes = EncodeOggVorbis(RenderBleepEcho(), 0x70A2);
        return true;
    }
    const std::string prefix = "drumloop";
    if (stem.compare(0, prefix.size(), prefix) == 0 && stem.size() > prefix.size()) {
        const std::string digits = stem.substr(prefix.size());
        if (!std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); })) return false;
        int number = std::stoi(digits);
        if (number < 1 || number > 10) return false;
        bytes = EncodeOggVorbis(RenderDrumLoop(number), 0x70B0 + number);
        return true;
    }
    return false;
}

}  // namespace

bool MakeAssetFile(const std::string& path, const std::string& fontPath, std::vector<uint8_t>& bytes,
                   std::string& error) {
    const std::string lower = Lower(path);
    const size_t slash = lower.find_last_of('/');
    const std::string name = slash == std::string::npos ? lower : lower.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    const std::string stem = name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    if (extension == ".bmp") {
        if (!LoadTextFace(fontPath)) {
            error = fontPath + ": cannot open the font";
            return false;
        }
        Picture picture;
        if (PictureFor(stem, picture)) {
            bytes = EncodeBmp(picture);
            return true;
        }
    } else if (extension == ".ogg") {
        if (SoundFor(stem, bytes)) return true;
    } else if (extension == ".ttf") {
        std::ifstream in(fontPath, std::ios::binary);
        if (!in) {
            error = fontPath + ": cannot read the font";
            return false;
        }
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return true;
    }
    error = path + ": no drawing or sound is known for this file";
    return false;
}

std::string OutputPath(const std::string& path, const std::vector<std::string>& allPaths) {
    const std::vector<std::string> parts = SplitPath(path);
    std::string result;
    // For each component, the first spelling among all paths that share the
    // same folders so far (ignoring case).
    for (size_t i = 0; i < parts.size(); ++i) {
        std::string chosen = parts[i];
        for (const std::string& other : allPaths) {
            std::vector<std::string> otherParts = SplitPath(other);
            if (otherParts.size() <= i) continue;
            bool samePrefix = true;
            for (size_t k = 0; k <= i && samePrefix; ++k)
                samePrefix = strcasecmp(otherParts[k].c_str(), parts[k].c_str()) == 0;
            if (samePrefix) {
                chosen = otherParts[i];
                break;
            }
        }
        result += (i ? "/" : "") + chosen;
    }
    return result;
}

}  // namespace tuublark::assetgen
