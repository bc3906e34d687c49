// Fuzz target: font files, through LoadFont at the game's size with the
// headless render driver (FreeType face, glyph rendering, coverage
// pixmaps and glyph images; no GL). LoadFont reads a path, so each input
// is written to a file of this process first.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/text/font.h"

namespace {

const std::string& FontFile() {
    static const std::string path = "/tmp/tuublark-font-fuzz-" + std::to_string(getpid()) + ".ttf";
    return path;
}

bool WriteFile(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tuublark;
    if (!WriteFile(FontFile(), data, size)) __builtin_trap();
    FontRef font = LoadFont(FontFile(), 24, 4);
    std::remove(FontFile().c_str());
    if (!font) return 0;
    if (font->CountGlyphs() != 256 - font->FirstChar) __builtin_trap();
    for (const TImageGlyph& glyph : font->Glyphs)
        if (glyph.Image && (glyph.W < 1 || glyph.H < 1)) __builtin_trap();
    SetFont(font);
    TextWidth(std::string("SCORE 0123456789 \xe9\xff"));
    TextHeight(std::string("Hi"));
    SetFont(nullptr);
    return 0;
}
