#include "engine/text/font.h"

#include "engine/display/graphics.h"
#include "engine/image/draw.h"

namespace tuublark {
namespace {

struct FontState {
    FontRef Current;
    FontRef Default;
};

FontState& Fonts() {
    static FontState state;
    return state;
}

}  // namespace

const TImageGlyph* TImageFont::Glyph(uint32_t code) const {
    int64_t i = static_cast<int64_t>(code) - FirstChar;
    if (i < 0 || i >= CountGlyphs()) return nullptr;
    return &Glyphs[static_cast<size_t>(i)];
}

void TImageFont::DrawString(const std::u16string& text, float x, float y, float ix, float iy, float jx,
                            float jy) const {
    for (char16_t c : text) {
        const TImageGlyph* glyph = Glyph(c);
        if (!glyph) continue;
        int32_t dx = static_cast<int32_t>(glyph->X * ix + glyph->Y * iy);
        int32_t dy = static_cast<int32_t>(glyph->X * jx + glyph->Y * jy);
        if (glyph->Image && !glyph->Image->Frames.empty())
            glyph->Image->Frames[0]->Draw(0, 0, static_cast<float>(glyph->Image->Width),
                                          static_cast<float>(glyph->Image->Height), x + dx, y + dy);
        x += glyph->Advance * ix;
        y += glyph->Advance * jx;
    }
}

std::shared_ptr<TImageFont> TImageFont::CreateDefault() {
    auto font = std::make_shared<TImageFont>();
    font->Style = 0;
    font->Height = 16;
    font->FirstChar = 32;
    font->Glyphs.resize(96);
    for (TImageGlyph& glyph : font->Glyphs) {
        glyph.Advance = 8.0f;
        glyph.W = 8;
        glyph.H = 16;
    }
    return font;
}

FontRef LoadFont(const std::string&, int32_t, int32_t) { return nullptr; }

void SetFont(const FontRef& font) {
    FontState& s = Fonts();
    if (!s.Default) s.Default = TImageFont::CreateDefault();
    s.Current = font ? font : s.Default;
}

const FontRef& CurrentFont() {
    FontState& s = Fonts();
    if (!s.Current) SetFont(nullptr);
    return s.Current;
}

void ResetFonts() {
    FontState& s = Fonts();
    s.Default = TImageFont::CreateDefault();
    s.Current = s.Default;
}

std::u16string ToCharCodes(const std::string& latin1) {
    std::u16string codes;
    codes.reserve(latin1.size());
    for (unsigned char c : latin1) codes.push_back(c);
    return codes;
}

void DrawText(const std::string& text, float x, float y) {
    const TDrawState& s = DrawState();
    const TGraphicsState& g = Graphics();
    float hx = s.HandleX, hy = s.HandleY;
    CurrentFont()->DrawString(ToCharCodes(text), x + s.OriginX + hx * g.Ix + hy * g.Iy,
                              y + s.OriginY + hx * g.Jx + hy * g.Jy, g.Ix, g.Iy, g.Jx, g.Jy);
}

int32_t TextWidth(const std::string& text) {
    const FontRef& font = CurrentFont();
    float w = 0;
    for (unsigned char c : text) {
        const TImageGlyph* glyph = font->Glyph(c);
        if (glyph) w = static_cast<float>(static_cast<int32_t>(w + glyph->Advance));
    }
    return static_cast<int32_t>(w);
}

int32_t TextHeight(const std::string& text) {
    const FontRef& font = CurrentFont();
    int32_t h = 0;
    for (unsigned char c : text) {
        const TImageGlyph* glyph = font->Glyph(c);
        if (glyph && glyph->H > h) h = glyph->H;
    }
    return h;
}

}  // namespace tuublark
