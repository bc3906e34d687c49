#include "tools/assetgen/ui_pictures.h"

#include <cmath>

#include "tools/assetgen/canvas.h"

namespace tuublark::assetgen {
namespace {

const Rgb kInk = {0.06, 0.05, 0.10};

void Star(cairo_t* cr, double cx, double cy, int points, double inner, double outer, double turn) {
    for (int i = 0; i < points * 2; ++i) {
        double a = turn + M_PI * i / points;
        double r = (i % 2 == 0) ? outer : inner;
        double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
        if (i == 0) cairo_move_to(cr, x, y);
        else cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
}

// A rounded panel with a two-tone border, the frame of the opaque signs.
void SignPanel(cairo_t* cr, double w, double h, const Rgb& top, const Rgb& bottom, const Rgb& rim) {
    SetColor(cr, Scaled(rim, 0.35));
    cairo_paint(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    cairo_pattern_add_color_stop_rgb(fill, 0, top.R, top.G, top.B);
    cairo_pattern_add_color_stop_rgb(fill, 1, bottom.R, bottom.G, bottom.B);
    RoundedRect(cr, 3, 3, w - 6, h - 6, 10);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColor(cr, rim);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    RoundedRect(cr, 7.5, 7.5, w - 15, h - 15, 7);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// A keyboard key cap with its label, top-left at (x, y).
double KeyCap(cairo_t* cr, double x, double y, double w, const std::string& label) {
    const double h = 22;
    RoundedRect(cr, x, y + 2, w, h, 4);
    SetColor(cr, Rgb{0.05, 0.05, 0.09});
    cairo_fill(cr);
    RoundedRect(cr, x, y, w, h, 4);
    cairo_pattern_t* face = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(face, 0, 0.97, 0.97, 1.0);
    cairo_pattern_add_color_stop_rgb(face, 1, 0.74, 0.76, 0.84);
    cairo_set_source(cr, face);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(face);
    SetColor(cr, Rgb{0.15, 0.15, 0.25});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    UseTextFace(cr, label.size() > 2 ? 11 : 14);
    CenteredTextPath(cr, label, x + w / 2, y + h / 2);
    SetColor(cr, Rgb{0.12, 0.12, 0.22});
    cairo_fill(cr);
    return x + w;
}

// A control's name, its baseline at y.
void Label(cairo_t* cr, double x, double y, const std::string& text) {
    UseTextFace(cr, 15);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    SetColor(cr, Rgb{1.0, 0.96, 0.80});
    cairo_fill(cr);
}

}  // namespace

Picture DrawGrid() {
    // Centred at (400, 320): left edge 159, top 109, so the board's borders
    // x = 160 + 30k and y = 110 + 30k fall on picture columns and rows
    // 1 + 30k. Below the board the picture stays white, which multiplies
    // to nothing.
    const int w = 482, h = 422;
    Canvas canvas(w, h, false);
    cairo_t* cr = canvas.Cr();
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    for (int c = 0; c < 16; ++c)
        for (int r = 0; r < 12; ++r) {
            bool even = (c + r) % 2 == 0;
            cairo_rectangle(cr, 1 + 30 * c, 1 + 30 * r, 30, 30);
            if (even) cairo_set_source_rgb(cr, 0.80, 0.82, 0.90);
            else cairo_set_source_rgb(cr, 0.86, 0.88, 0.95);
            cairo_fill(cr);
        }
    cairo_set_source_rgb(cr, 0.42, 0.45, 0.60);
    for (int k = 0; k <= 16; ++k) {
        cairo_rectangle(cr, 1 + 30 * k, 1, 1, 361);
        cairo_fill(cr);
    }
    for (int k = 0; k <= 12; ++k) {
        cairo_rectangle(cr, 1, 1 + 30 * k, 481, 1);
        cairo_fill(cr);
    }
    // A darker frame around the board, one pixel either side of its edge.
    cairo_set_source_rgb(cr, 0.25, 0.27, 0.40);
    cairo_rectangle(cr, 0, 0, 482, 2);
    cairo_rectangle(cr, 0, 361, 482, 2);
    cairo_rectangle(cr, 0, 0, 2, 363);
    cairo_rectangle(cr, 480, 0, 2, 363);
    cairo_fill(cr);
    // The top three rows are where a piece that cannot fall ends the game:
    // tint them a little warmer.
    cairo_set_source_rgba(cr, 1.0, 0.80, 0.80, 0.35);
    cairo_rectangle(cr, 2, 2, 478, 89);
    cairo_set_operator(cr, CAIRO_OPERATOR_MULTIPLY);
    cairo_fill(cr);
    return canvas.Finish();
}

Picture DrawMarkerDots() {
    // Centred at (400, 118): one dot over the centre of each column.
    const int w = 480, h = 12;
    Canvas canvas(w, h, true);
    cairo_t* cr = canvas.Cr();
    for (int c = 0; c < 16; ++c) {
        double x = 15 + 30 * c;
        cairo_arc(cr, x, 6, 4.2, 0, 2 * M_PI);
        SetColor(cr, kInk);
        cairo_fill(cr);
        cairo_arc(cr, x, 6, 3.0, 0, 2 * M_PI);
        SetColor(cr, c % 4 == 0 ? Rgb{1.0, 0.75, 0.25} : Rgb{0.75, 0.90, 1.0});
        cairo_fill(cr);
        cairo_arc(cr, x - 0.8, 5.2, 1.0, 0, 2 * M_PI);
        SetColor(cr, Rgb{1, 1, 1});
        cairo_fill(cr);
    }
    return canvas.Finish();
}

Picture DrawWipeArrow() {
    // Drawn at (line x - 18, 164): a pennant whose tip touches the sweep
    // line and on which the pass's cell count is written.
    const int w = 36, h = 28;
    Canvas canvas(w, h, true);
    cairo_t* cr = canvas.Cr();
    cairo_move_to(cr, 1.5, 3);
    cairo_line_to(cr, 24, 3);
    cairo_line_to(cr, 34.5, 14);
    cairo_line_to(cr, 24, 25);
    cairo_line_to(cr, 1.5, 25);
    cairo_close_path(cr);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 3, 0, 25);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.95, 0.40, 0.10);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.55, 0.12, 0.05);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColor(cr, Rgb{1.0, 0.85, 0.35});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    return canvas.Finish();
}

Picture DrawReticule() {
    // Centred between the piece's two columns, above row 0: a bracket with
    // a pointer over each column.
    const int w = 64, h = 14;
    Canvas canvas(w, h, true);
    cairo_t* cr = canvas.Cr();
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        cairo_move_to(cr, 3, 10);
        cairo_line_to(cr, 3, 3);
        cairo_line_to(cr, 61, 3);
        cairo_line_to(cr, 61, 10);
        SetColor(cr, pass == 0 ? kInk : Rgb{0.55, 1.0, 0.95});
        cairo_set_line_width(cr, pass == 0 ? 4.5 : 2);
        cairo_stroke(cr);
    }
    for (double x : {17.0, 47.0}) {
        cairo_move_to(cr, x - 6, 4);
        cairo_line_to(cr, x + 6, 4);
        cairo_line_to(cr, x, 12);
        cairo_close_path(cr);
        SetColor(cr, Rgb{1.0, 1.0, 1.0});
        cairo_fill_preserve(cr);
        SetColor(cr, kInk);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    return canvas.Finish();
}

Picture DrawTag(const std::string& label, int hue) {
    // Centred at x 720 (660..780) over the number that is right-aligned to 780.
    static const Rgb kHues[5] = {
        {0.20, 0.75, 0.45}, {0.25, 0.55, 0.95}, {0.98, 0.60, 0.12}, {0.92, 0.25, 0.40}, {0.62, 0.35, 0.92},
    };
    const Rgb base = kHues[hue % 5];
    const int w = 120, h = 26;
    Canvas canvas(w, h, true);
    cairo_t* cr = canvas.Cr();
    RoundedRect(cr, 1.5, 1.5, w - 3, h - 3, 11);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 0, 0, h);
    Rgb top = Mixed(base, Rgb{1, 1, 1}, 0.35), low = Scaled(base, 0.6);
    cairo_pattern_add_color_stop_rgb(fill, 0, top.R, top.G, top.B);
    cairo_pattern_add_color_stop_rgb(fill, 1, low.R, low.G, low.B);
    cairo_set_source(cr, fill);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(fill);
    SetColor(cr, Rgb{1, 1, 1});
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    UseTextFace(cr, 16);
    CenteredTextPath(cr, label, w / 2.0 + 1, h / 2.0 + 1);
    SetColor(cr, kInk, 0.7);
    cairo_fill(cr);
    CenteredTextPath(cr, label, w / 2.0, h / 2.0);
    SetColor(cr, Rgb{1, 1, 1});
    cairo_fill(cr);
    return canvas.Finish();
}

Picture DrawInstructions() {
    // Drawn at (400, 380) on the title screen, under the title letters.
    const int w = 380, h = 178;
    Canvas canvas(w, h, false);
    cairo_t* cr = canvas.Cr();
    SignPanel(cr, w, h, Rgb{0.16, 0.18, 0.38}, Rgb{0.07, 0.07, 0.18}, Rgb{0.55, 0.70, 1.0});
    UseTextFace(cr, 17);
    CenteredTextPath(cr, "PRESS SPACE TO START", w / 2.0, 22);
    SetColor(cr, Rgb{1.0, 0.85, 0.30});
    cairo_fill(cr);

    const double left = 26, right = 204;
    double y = 40;
    double x = KeyCap(cr, left, y, 24, "\u2190");
    x = KeyCap(cr, x + 4, y, 24, "\u2192");
    Label(cr, x + 8, y + 16, "move");
    x = KeyCap(cr, right, y, 24, "A");
    x = KeyCap(cr, x + 4, y, 24, "S");
    Label(cr, x + 8, y + 16, "rotate");
    y = 72;
    x = KeyCap(cr, left, y, 24, "\u2193");
    x = KeyCap(cr, x + 4, y, 24, "\u2191");
    Label(cr, x + 8, y + 16, "drop");
    x = KeyCap(cr, right, y, 46, "ESC");
    Label(cr, x + 8, y + 16, "leave");
    y = 104;
    x = KeyCap(cr, left, y, 24, "P");
    Label(cr, x + 8, y + 16, "pause");
    x = KeyCap(cr, right, y, 24, "O");
    Label(cr, x + 8, y + 16, "options");
    y = 136;
    x = KeyCap(cr, left, y, 100, "SPACE");
    Label(cr, x + 8, y + 16, "start");
    UseTextFace(cr, 11);
    for (const char* hint : {"Make 2x2 squares of", "one animal: the line", "sweeps them away!"}) {
        cairo_move_to(cr, right, y + 7);
        cairo_text_path(cr, hint);
        y += 12.5;
    }
    SetColor(cr, Rgb{0.75, 0.85, 1.0});
    cairo_fill(cr);
    return canvas.Finish();
}

Picture DrawGameOver() {
    // Drawn at (400, 320) over the final board.
    const int w = 340, h = 110;
    Canvas canvas(w, h, false);
    cairo_t* cr = canvas.Cr();
    SignPanel(cr, w, h, Rgb{0.45, 0.06, 0.12}, Rgb{0.16, 0.02, 0.06}, Rgb{1.0, 0.55, 0.35});
    UseTextFace(cr, 46);
    CenteredTextPath(cr, "GAME OVER", w / 2.0 + 2, h / 2.0 + 3);
    SetColor(cr, Rgb{0, 0, 0}, 0.6);
    cairo_fill(cr);
    CenteredTextPath(cr, "GAME OVER", w / 2.0, h / 2.0);
    cairo_pattern_t* gold = cairo_pattern_create_linear(0, 30, 0, 80);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.95, 0.55);
    cairo_pattern_add_color_stop_rgb(gold, 1, 1.0, 0.55, 0.10);
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    SetColor(cr, Rgb{0.25, 0.05, 0.02});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    return canvas.Finish();
}

Picture DrawSkinup() {
    // Added at (400, 300) and drawn additively while it grows and fades:
    // black adds nothing, so the picture is light on black.
    const int s = 160;
    Canvas canvas(s, s, false);
    cairo_t* cr = canvas.Cr();
    const double c = s / 2.0;
    cairo_pattern_t* glow = cairo_pattern_create_radial(c, c, 0, c, c, c);
    cairo_pattern_add_color_stop_rgba(glow, 0, 0.55, 0.45, 0.15, 1);
    cairo_pattern_add_color_stop_rgba(glow, 0.6, 0.25, 0.12, 0.30, 1);
    cairo_pattern_add_color_stop_rgba(glow, 1, 0, 0, 0, 1);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    // Rays.
    for (int i = 0; i < 16; ++i) {
        double a = 2 * M_PI * i / 16;
        cairo_move_to(cr, c + 30 * std::cos(a - 0.06), c + 30 * std::sin(a - 0.06));
        cairo_line_to(cr, c + 76 * std::cos(a), c + 76 * std::sin(a));
        cairo_line_to(cr, c + 30 * std::cos(a + 0.06), c + 30 * std::sin(a + 0.06));
        cairo_close_path(cr);
        SetColor(cr, i % 2 ? Rgb{0.30, 0.55, 0.90} : Rgb{0.90, 0.70, 0.25});
        cairo_fill(cr);
    }
    cairo_arc(cr, c, c, 52, 0, 2 * M_PI);
    SetColor(cr, Rgb{1.0, 0.85, 0.45});
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_arc(cr, c, c, 44, 0, 2 * M_PI);
    SetColor(cr, Rgb{0.20, 0.10, 0.25});
    cairo_fill(cr);
    UseTextFace(cr, 22);
    CenteredTextPath(cr, "SKIN", c, c - 11);
    CenteredTextPath(cr, "UP!", c, c + 13);
    SetColor(cr, Rgb{1.0, 0.97, 0.85});
    cairo_fill(cr);
    return canvas.Finish();
}

Picture DrawTriggered(bool light) {
    // Cells that the sweep line has triggered: charged, bright tiles. The
    // light colour burns white-gold, the dark one magenta.
    const int s = 34;
    Canvas canvas(s, s, false);
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, s / 100.0, s / 100.0);
    const Rgb rim = light ? Rgb{0.85, 0.45, 0.05} : Rgb{0.40, 0.05, 0.35};
    const Rgb core = light ? Rgb{1.0, 1.0, 0.90} : Rgb{1.0, 0.55, 0.90};
    const Rgb mid = light ? Rgb{1.0, 0.82, 0.30} : Rgb{0.80, 0.15, 0.60};
    SetColor(cr, rim);
    cairo_paint(cr);
    cairo_pattern_t* fill = cairo_pattern_create_radial(50, 50, 4, 50, 50, 62);
    cairo_pattern_add_color_stop_rgb(fill, 0, core.R, core.G, core.B);
    cairo_pattern_add_color_stop_rgb(fill, 0.6, mid.R, mid.G, mid.B);
    cairo_pattern_add_color_stop_rgb(fill, 1, rim.R, rim.G, rim.B);
    RoundedRect(cr, 5, 5, 90, 90, 16);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    Star(cr, 50, 50, 4, 10, 38, -M_PI / 2);
    SetColor(cr, Rgb{1, 1, 1}, 0.85);
    cairo_fill(cr);
    Star(cr, 50, 50, 4, 6, 24, -M_PI / 4);
    SetColor(cr, Rgb{1, 1, 1}, 0.6);
    cairo_fill(cr);
    RoundedRect(cr, 5, 5, 90, 90, 16);
    SetColor(cr, Rgb{1, 1, 1}, 0.7);
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    return canvas.Finish();
}

Picture DrawYellowFlash() {
    // Drawn half transparent over a removed cell, shrinking.
    const int s = 34;
    Canvas canvas(s, s, false);
    cairo_t* cr = canvas.Cr();
    cairo_pattern_t* fill = cairo_pattern_create_radial(s / 2.0, s / 2.0, 1, s / 2.0, s / 2.0, s * 0.72);
    cairo_pattern_add_color_stop_rgb(fill, 0, 1.0, 1.0, 0.85);
    cairo_pattern_add_color_stop_rgb(fill, 0.5, 1.0, 0.92, 0.25);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.95, 0.62, 0.05);
    cairo_set_source(cr, fill);
    cairo_paint(cr);
    cairo_pattern_destroy(fill);
    return canvas.Finish();
}

Picture DrawExplosion() {
    // Added, so black is no change: a hot core with flame spikes.
    const int s = 48;
    Canvas canvas(s, s, false);
    cairo_t* cr = canvas.Cr();
    const double c = s / 2.0;
    Random random(0xE4B1u);
    for (int i = 0; i < 14; ++i) {
        double a = 2 * M_PI * i / 14 + random.Range(-0.15, 0.15);
        double len = random.Range(15, 23);
        cairo_move_to(cr, c + 5 * std::cos(a - 0.35), c + 5 * std::sin(a - 0.35));
        cairo_line_to(cr, c + len * std::cos(a), c + len * std::sin(a));
        cairo_line_to(cr, c + 5 * std::cos(a + 0.35), c + 5 * std::sin(a + 0.35));
        cairo_close_path(cr);
        cairo_set_source_rgb(cr, 0.85, 0.35 + 0.2 * (i % 2), 0.05);
        cairo_fill(cr);
    }
    cairo_pattern_t* core = cairo_pattern_create_radial(c, c, 0, c, c, 15);
    cairo_pattern_add_color_stop_rgba(core, 0, 1.0, 1.0, 0.9, 1);
    cairo_pattern_add_color_stop_rgba(core, 0.5, 1.0, 0.75, 0.2, 0.9);
    cairo_pattern_add_color_stop_rgba(core, 1, 0.6, 0.15, 0.0, 0);
    cairo_set_source(cr, core);
    cairo_paint(cr);
    cairo_pattern_destroy(core);
    return canvas.Finish();
}

Picture DrawSquareBurst() {
    // Added at scale 2 over a new two-by-two square: a ring of light.
    const int s = 32;
    Canvas canvas(s, s, false);
    cairo_t* cr = canvas.Cr();
    const double c = s / 2.0;
    cairo_pattern_t* ring = cairo_pattern_create_radial(c, c, 6, c, c, 16);
    cairo_pattern_add_color_stop_rgb(ring, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgb(ring, 0.55, 0.70, 0.95, 1.0);
    cairo_pattern_add_color_stop_rgb(ring, 0.7, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(ring, 1, 0, 0, 0);
    cairo_set_source(cr, ring);
    cairo_paint(cr);
    cairo_pattern_destroy(ring);
    Star(cr, c, c, 4, 1.5, 15, 0);
    SetColor(cr, Rgb{0.9, 0.95, 1.0}, 0.8);
    cairo_fill(cr);
    return canvas.Finish();
}

Picture DrawBlankCell() {
    const int s = 34;
    Canvas canvas(s, s, false);
    cairo_t* cr = canvas.Cr();
    SetColor(cr, Rgb{0.10, 0.11, 0.16});
    cairo_paint(cr);
    RoundedRect(cr, 2, 2, s - 4, s - 4, 5);
    SetColor(cr, Rgb{0.18, 0.20, 0.28});
    cairo_fill(cr);
    return canvas.Finish();
}

}  // namespace tuublark::assetgen
