// Fonts: TrueType faces rendered once into glyph images, and the built-in
// 8x16 font, with drawing and measuring of text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/image/image.h"

namespace tuublark {

struct TImageGlyph {
    ImageRef Image;  // null for a glyph with no pixels (a space)
    float Advance = 0;
    int32_t X = 0, Y = 0, W = 0, H = 0;
};

class TImageFont {
public:
    int32_t Style = 0, Height = 0, FirstChar = 32;
    std::vector<TImageGlyph> Glyphs;

    int32_t CountGlyphs() const { return static_cast<int32_t>(Glyphs.size()); }
    // Null for a code outside the font.
    const TImageGlyph* Glyph(uint32_t code) const;
    void DrawString(const std::u16string& text, float x, float y, float ix, float iy, float jx, float jy) const;

    static std::shared_ptr<TImageFont> CreateDefault();
};

using FontRef = std::shared_ptr<TImageFont>;

// Null when the file is missing, unreadable or takes no size.
// The engine's font state: the current font and the built-in one.
struct TFontState {
    FontRef Current;
    FontRef Default;
};

FontRef LoadFont(const std::string& path, int32_t size, int32_t style);
// Null selects the built-in font.
void SetFont(const FontRef& font);
const FontRef& CurrentFont();
// A fresh built-in font becomes current (OpenGraphics does this).
void ResetFonts();

// Text is a sequence of character codes; the game's texts are Latin-1.
std::u16string ToCharCodes(const std::string& latin1);

void DrawText(const std::string& text, float x, float y);
int32_t TextWidth(const std::string& text);
int32_t TextHeight(const std::string& text);
// The same on character codes of any range (codes outside the font are
// skipped).
void DrawText(const std::u16string& text, float x, float y);
int32_t TextWidth(const std::u16string& text);
int32_t TextHeight(const std::u16string& text);

}  // namespace tuublark
