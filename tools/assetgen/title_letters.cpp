#include "tools/assetgen/title_letters.h"

#include <string>

#include "tools/assetgen/canvas.h"

namespace tuublark::assetgen {

void PaintLetterBlock(cairo_t* cr, char letter, int index) {
    // A rainbow along the title, from red at the T to pink at the K.
    static const Rgb kColors[8] = {
        {0.92, 0.20, 0.22}, {0.98, 0.52, 0.10}, {0.98, 0.80, 0.10}, {0.30, 0.78, 0.25},
        {0.10, 0.70, 0.85}, {0.20, 0.40, 0.95}, {0.58, 0.30, 0.90}, {0.95, 0.32, 0.66},
    };
    const Rgb base = kColors[index & 7];
    const double s = kLetterBlockSize;
    SetColor(cr, Scaled(base, 0.45));
    cairo_rectangle(cr, 0, 0, s, s);
    cairo_fill(cr);
    // Bevel: light top-left, dark bottom-right, then the face.
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, s, 0);
    cairo_line_to(cr, s - 3, 3);
    cairo_line_to(cr, 3, s - 3);
    cairo_line_to(cr, 0, s);
    cairo_close_path(cr);
    SetColor(cr, Mixed(base, Rgb{1, 1, 1}, 0.55));
    cairo_fill(cr);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, 3, 0, s - 3);
    Rgb top = Mixed(base, Rgb{1, 1, 1}, 0.2), low = Scaled(base, 0.78);
    cairo_pattern_add_color_stop_rgb(face, 0, top.R, top.G, top.B);
    cairo_pattern_add_color_stop_rgb(face, 1, low.R, low.G, low.B);
    cairo_rectangle(cr, 3, 3, s - 6, s - 6);
    cairo_set_source(cr, face);
    cairo_fill(cr);
    cairo_pattern_destroy(face);

    UseTextFace(cr, 22);
    const std::string text(1, letter);
    CenteredTextPath(cr, text, s / 2 + 0.5, s / 2 + 0.5);
    SetColor(cr, Rgb{0.08, 0.06, 0.10}, 0.55);
    cairo_fill(cr);
    CenteredTextPath(cr, text, s / 2 - 0.3, s / 2 - 0.3);
    SetColor(cr, Rgb{1, 1, 1});
    cairo_fill_preserve(cr);
    SetColor(cr, Rgb{0.08, 0.06, 0.10});
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

Picture DrawLetterBlock(char letter, int index) {
    Canvas canvas(kLetterBlockSize, kLetterBlockSize, false);
    PaintLetterBlock(canvas.Cr(), letter, index);
    return canvas.Finish();
}

}  // namespace tuublark::assetgen
