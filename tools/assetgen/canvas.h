// Cairo drawing surfaces that become BMP pictures, with the small helpers
// every drawing shares: colours, rounded shapes, text and a seeded random
// generator.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "tools/assetgen/bmp_writer.h"

namespace tuublark::assetgen {

struct Rgb {
    double R, G, B;
};

// Component-wise helpers, results clamped to 0..1.
Rgb Scaled(const Rgb& c, double factor);
Rgb Mixed(const Rgb& a, const Rgb& b, double t);
inline Rgb FromBytes(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

void SetColor(cairo_t* cr, const Rgb& c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);

// A picture being drawn. Masked canvases start fully transparent; on
// Finish every pixel that stayed mostly transparent becomes pure green and
// the rest opaque. Opaque canvases start black. Either way no drawn pixel
// is ever exactly pure green.
class Canvas {
public:
    Canvas(int width, int height, bool masked);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* Cr() const { return cr_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    Picture Finish();

private:
    int width_, height_;
    bool masked_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// The face every text of the pictures is set in. Must be loaded before any
// text is drawn; false when the file cannot be opened.
bool LoadTextFace(const std::string& ttfPath);
// Sets the text face at `size` pixels on `cr`.
void UseTextFace(cairo_t* cr, double size);
// Adds the path of `text` centred on (cx, cy) by its ink extents.
void CenteredTextPath(cairo_t* cr, const std::string& text, double cx, double cy);
// Ink width of `text` at the current face and size.
double TextInkWidth(cairo_t* cr, const std::string& text);

// Small deterministic generator (xorshift32) so every run draws the same.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next();
    // Uniform in [0, 1).
    double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

private:
    uint32_t state_;
};

}  // namespace tuublark::assetgen
