#include "game/asset_check.h"

#include <strings.h>

#include <cstdio>
#include <mutex>

#include "engine/audio/sample_loader.h"
#include "engine/engine.h"
#include "engine/image/pixmap.h"
#include "engine/runtime/filesystem.h"
#include "engine/text/freetype_font.h"
#include "game/assets.h"

namespace tuublark {
namespace {

bool HasExtension(const std::string& path, const char* extension) {
    const size_t n = std::char_traits<char>::length(extension);
    return path.size() >= n && strcasecmp(path.c_str() + path.size() - n, extension) == 0;
}

bool DecodesUnguarded(const std::string& path) {
    if (HasExtension(path, ".ttf")) return TFreeTypeFont::Load(path, kFontSize, kFontStyle) != nullptr;
    if (HasExtension(path, ".ogg") || HasExtension(path, ".wav")) {
        SharedAudioSample sample = LoadSharedAudioSample(path);
        return sample && sample->Length > 0;
    }
    std::lock_guard<std::mutex> hold(Engine().PictureLoading());
    PixmapRef pixmap = LoadPixmap(path);
    return pixmap && pixmap->Width > 0 && pixmap->Height > 0;
}

// Decodes the file completely with the loader the game will use for it.
bool Decodes(const std::string& path) {
    try {
        return DecodesUnguarded(path);
    } catch (const std::exception&) {
        return false;  // memory refused on the way: not readable either
    }
}

}  // namespace

std::vector<std::string> FindMissingAssets() {
    std::vector<std::string> problems;
    for (const std::string& path : AllAssetPaths())
        if (ResolveAssetPath(path).empty()) problems.push_back("Missing asset: " + path);
    return problems;
}

std::vector<std::string> FindUnreadableAssets() {
    std::vector<std::string> problems;
    for (const std::string& path : AllAssetPaths())
        if (!ResolveAssetPath(path).empty() && !Decodes(path)) problems.push_back("Unreadable asset: " + path);
    return problems;
}

std::vector<std::string> FindAssetProblems() {
    std::vector<std::string> problems;
    for (const std::string& path : AllAssetPaths()) {
        if (ResolveAssetPath(path).empty()) problems.push_back("Missing asset: " + path);
        else if (!Decodes(path)) problems.push_back("Unreadable asset: " + path);
    }
    return problems;
}

bool ReportAssetProblems(const std::vector<std::string>& problems) {
    for (const std::string& line : problems) std::fprintf(stderr, "%s\n", line.c_str());
    return problems.empty();
}

std::shared_future<std::vector<std::string>> StartDecodeCheck() { return Engine().StartWorker(FindUnreadableAssets); }

}  // namespace tuublark
