// tuublark_assetgen: draws every picture, synthesises every sound and copies
// the font the game reads into a data folder.
//
//   tuublark_assetgen --out <folder> --font <file.ttf> [--icons <folder>]
//
// --icons also writes the desktop icon as tuublark-<size>.png for each size.
// The output is the same, byte for byte, on every run. A file whose bytes
// are unchanged is not rewritten.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/assets.h"
#include "tools/assetgen/asset_files.h"
#include "tools/assetgen/canvas.h"
#include "tools/assetgen/icon.h"

namespace {

bool MakeFolders(const std::string& filePath) {
    for (size_t slash = filePath.find('/', 1); slash != std::string::npos; slash = filePath.find('/', slash + 1)) {
        std::string folder = filePath.substr(0, slash);
        if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool SameContent(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> existing((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return existing == bytes;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out, font, icons;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) out = argv[++i];
        else if (arg == "--font" && i + 1 < argc) font = argv[++i];
        else if (arg == "--icons" && i + 1 < argc) icons = argv[++i];
        else {
            std::fprintf(stderr, "usage: tuublark_assetgen --out <folder> --font <file.ttf> [--icons <folder>]\n");
            return 2;
        }
    }
    if (out.empty() || font.empty()) {
        std::fprintf(stderr, "usage: tuublark_assetgen --out <folder> --font <file.ttf> [--icons <folder>]\n");
        return 2;
    }
    const std::vector<std::string> paths = tuublark::AllAssetPaths();
    int written = 0;
    for (const std::string& path : paths) {
        std::vector<uint8_t> bytes;
        std::string error;
        if (!tuublark::assetgen::MakeAssetFile(path, font, bytes, error)) {
            std::fprintf(stderr, "tuublark_assetgen: %s\n", error.c_str());
            return 1;
        }
        const std::string target = out + "/" + tuublark::assetgen::OutputPath(path, paths);
        if (SameContent(target, bytes)) continue;
        if (!MakeFolders(target) || !WriteFile(target, bytes)) {
            std::fprintf(stderr, "tuublark_assetgen: %s: cannot write (%s)\n", target.c_str(), std::strerror(errno));
            return 1;
        }
        ++written;
    }
    if (!icons.empty()) {
        if (!tuublark::assetgen::LoadTextFace(font)) {
            std::fprintf(stderr, "tuublark_assetgen: %s: cannot open the font\n", font.c_str());
            return 1;
        }
        for (int size : tuublark::assetgen::kIconSizes) {
            const std::string target = icons + "/tuublark-" + std::to_string(size) + ".png";
            if (!MakeFolders(target) || !tuublark::assetgen::WriteIcon(size, target)) {
                std::fprintf(stderr, "tuublark_assetgen: %s: cannot write\n", target.c_str());
                return 1;
            }
        }
    }
    std::printf("tuublark_assetgen: %zu files, %d written\n", paths.size(), written);
    return 0;
}
