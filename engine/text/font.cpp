#include "engine/text/font.h"

#include "engine/display/graphics.h"
#include "engine/engine.h"
#include "engine/image/draw.h"
#include "engine/text/default_font_bitmap.h"
#include "engine/text/freetype_font.h"

namespace tuublark {
namespace {

TFontState& Fonts() { return Engine().Fonts(); }

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
        // The glyph's offset turns with the text; whole pixels keep it crisp.
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
    constexpr int32_t count = 96;
    PixmapRef sheet = CreatePixmap(8 * count, 16, PixelFormatRGBA8888);
    for (int32_t row = 0; row < 16; ++row) {
        uint8_t* out = sheet->Row(row);
        for (int32_t k = 0; k < count; ++k)
            for (int32_t bit = 0; bit < 8; ++bit) {
                uint8_t v = (DefaultFontBitmap[row][k] >> bit) & 1 ? 255 : 0;
                uint8_t* p = out + (k * 8 + bit) * 4;
                p[0] = p[1] = p[2] = p[3] = v;
            }
    }
    font->Glyphs.resize(count);
    for (int32_t k = 0; k < count; ++k) {
        TImageGlyph& glyph = font->Glyphs[static_cast<size_t>(k)];
        glyph.Advance = 8.0f;
        glyph.W = 8;
        glyph.H = 16;
        glyph.Image = LoadImageWithMask(CopyPixmapWindow(*sheet, 8 * k, 0, 8, 16), 0, 0, 0, 0);
    }
    return font;
}

FontRef LoadFont(const std::string& path, int32_t size, int32_t style) {
    std::unique_ptr<TFreeTypeFont> source = TFreeTypeFont::Load(path, size, style);
    if (!source) return nullptr;
    auto font = std::make_shared<TImageFont>();
    font->Style = source->Style;
    font->Height = source->Height;
    font->FirstChar = source->FirstChar;
    font->Glyphs.resize(source->Glyphs.size());
    for (size_t i = 0; i < source->Glyphs.size(); ++i) {
        const TFreeTypeGlyph& from = source->Glyphs[i];
        TImageGlyph& glyph = font->Glyphs[i];
        glyph.Advance = from.Advance;
        glyph.X = from.X, glyph.Y = from.Y, glyph.W = from.W, glyph.H = from.H;
        // White with the coverage in alpha, filtered; no handle.
        if (from.Pixmap) glyph.Image = LoadImageWithMask(from.Pixmap, 0, 0, 0, ImageFlagFiltered);
    }
    return font;
}

void SetFont(const FontRef& font) {
    TFontState& s = Fonts();
    if (!s.Default) s.Default = TImageFont::CreateDefault();
    s.Current = font ? font : s.Default;
}

const FontRef& CurrentFont() {
    TFontState& s = Fonts();
    if (!s.Current) SetFont(nullptr);
    return s.Current;
}

void ResetFonts() {
    TFontState& s = Fonts();
    s.Default = TImageFont::CreateDefault();
    s.Current = s.Default;
}

std::u16string ToCharCodes(const std::string& latin1) {
    std::u16string codes;
    codes.reserve(latin1.size());
    for (unsigned char c : latin1) codes.push_back(c);
    return codes;
}

void DrawText(const std::u16string& text, float x, float y) {
    const TDrawState& s = DrawState();
    const TGraphicsState& g = Graphics();
    float hx = s.HandleX, hy = s.HandleY;
    CurrentFont()->DrawString(text, x + s.OriginX + hx * g.Ix + hy * g.Iy, y + s.OriginY + hx * g.Jx + hy * g.Jy, g.Ix,
                              g.Iy, g.Jx, g.Jy);
}

int32_t TextWidth(const std::u16string& text) {
    const FontRef& font = CurrentFont();
    float w = 0;
    for (char16_t c : text) {
        // Truncated after every character, not once at the end: panel text is
        // right-aligned on this width, and the trace's pixels depend on it.
        if (const TImageGlyph* glyph = font->Glyph(c)) w = static_cast<float>(static_cast<int32_t>(w + glyph->Advance));
    }
    return static_cast<int32_t>(w);
}

int32_t TextHeight(const std::u16string& text) {
    const FontRef& font = CurrentFont();
    int32_t h = 0;
    for (char16_t c : text) {
        const TImageGlyph* glyph = font->Glyph(c);
        if (glyph && glyph->H > h) h = glyph->H;
    }
    return h;
}

void DrawText(const std::string& text, float x, float y) { DrawText(ToCharCodes(text), x, y); }
int32_t TextWidth(const std::string& text) { return TextWidth(ToCharCodes(text)); }
int32_t TextHeight(const std::string& text) { return TextHeight(ToCharCodes(text)); }

}  // namespace tuublark
