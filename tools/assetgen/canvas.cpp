#include "tools/assetgen/canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace tuublark::assetgen {
namespace {

double Clamp01(double v) { return std::min(1.0, std::max(0.0, v)); }

struct TextFace {
    FT_Library Library = nullptr;
    FT_Face Face = nullptr;
    cairo_font_face_t* Cairo = nullptr;
};

TextFace& Face() {
    static TextFace face;
    return face;
}

// Half-transparent edge pixels of masked pictures count as drawn from this
// alpha on; below it they become the mask colour.
constexpr int kMaskThreshold = 128;

}  // namespace

Rgb Scaled(const Rgb& c, double f) { return {Clamp01(c.R * f), Clamp01(c.G * f), Clamp01(c.B * f)}; }

Rgb Mixed(const Rgb& a, const Rgb& b, double t) {
    return {Clamp01(a.R + (b.R - a.R) * t), Clamp01(a.G + (b.G - a.G) * t), Clamp01(a.B + (b.B - a.B) * t)};
}

void SetColor(cairo_t* cr, const Rgb& c, double alpha) { cairo_set_source_rgba(cr, c.R, c.G, c.B, alpha); }

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min(r, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

Canvas::Canvas(int width, int height, bool masked) : width_(width), height_(height), masked_(masked) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
    if (!masked) {
        cairo_set_source_rgb(cr_, 0, 0, 0);
        cairo_paint(cr_);
    }
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

Picture Canvas::Finish() {
    cairo_surface_flush(surface_);
    const uint8_t* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    Picture picture;
    picture.Width = width_;
    picture.Height = height_;
    picture.Rgb.resize(static_cast<size_t>(width_) * height_ * 3);
    for (int y = 0; y < height_; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            uint32_t p = row[x];
            int a = static_cast<int>(p >> 24);
            int r = static_cast<int>((p >> 16) & 0xFF), g = static_cast<int>((p >> 8) & 0xFF),
                b = static_cast<int>(p & 0xFF);
            uint8_t* out = &picture.Rgb[(static_cast<size_t>(y) * width_ + x) * 3];
            if (masked_) {
                if (a < kMaskThreshold) {
                    out[0] = 0, out[1] = 255, out[2] = 0;
                    continue;
                }
                // Cairo stores premultiplied colour: undo it for the edge pixels.
                r = std::min(255, (r * 255 + a / 2) / a);
                g = std::min(255, (g * 255 + a / 2) / a);
                b = std::min(255, (b * 255 + a / 2) / a);
            }
            // Opaque canvases were painted black first, so the premultiplied
            // colour is already the colour over black.
            if (r == 0 && g == 255 && b == 0) g = 254;
            out[0] = static_cast<uint8_t>(r), out[1] = static_cast<uint8_t>(g), out[2] = static_cast<uint8_t>(b);
        }
    }
    return picture;
}

bool LoadTextFace(const std::string& ttfPath) {
    TextFace& f = Face();
    if (f.Cairo) return true;
    if (FT_Init_FreeType(&f.Library) != 0) return false;
    if (FT_New_Face(f.Library, ttfPath.c_str(), 0, &f.Face) != 0) return false;
    f.Cairo = cairo_ft_font_face_create_for_ft_face(f.Face, 0);
    return f.Cairo != nullptr;
}

void UseTextFace(cairo_t* cr, double size) {
    cairo_set_font_face(cr, Face().Cairo);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

void CenteredTextPath(cairo_t* cr, const std::string& text, double cx, double cy) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_move_to(cr, cx - e.width / 2 - e.x_bearing, cy - e.height / 2 - e.y_bearing);
    cairo_text_path(cr, text.c_str());
}

double TextInkWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.width;
}

uint32_t Random::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

}  // namespace tuublark::assetgen
