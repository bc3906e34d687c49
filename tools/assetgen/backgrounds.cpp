#include "tools/assetgen/backgrounds.h"

#include <cmath>
#include <vector>

#include "tools/assetgen/canvas.h"

namespace tuublark::assetgen {
namespace {

constexpr double W = kBackgroundWidth;
constexpr double H = kBackgroundHeight;

void VerticalGradient(cairo_t* cr, const std::vector<std::pair<double, Rgb>>& stops, double y0 = 0, double y1 = H) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    for (const auto& [at, c] : stops) cairo_pattern_add_color_stop_rgb(p, at, c.R, c.G, c.B);
    cairo_rectangle(cr, 0, y0, W, y1 - y0);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Glow(cairo_t* cr, double x, double y, double radius, const Rgb& c, double alpha) {
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    cairo_pattern_add_color_stop_rgba(p, 0, c.R, c.G, c.B, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, c.R, c.G, c.B, 0);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
}

void Disc(cairo_t* cr, double x, double y, double r, const Rgb& c, double alpha = 1.0) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    SetColor(cr, c, alpha);
    cairo_fill(cr);
}

// A silhouette ridge: a sum of sines around `base`, filled down to the
// bottom of the screen.
void Ridge(cairo_t* cr, Random& random, double base, double amplitude, double waviness, const Rgb& c,
           double alpha = 1.0) {
    double phase[3], freq[3];
    for (int i = 0; i < 3; ++i) {
        phase[i] = random.Range(0, 2 * M_PI);
        freq[i] = waviness * (i + 1) * random.Range(0.7, 1.3) / W * 2 * M_PI;
    }
    cairo_move_to(cr, 0, H);
    for (int x = 0; x <= W; x += 4) {
        double y = base;
        for (int i = 0; i < 3; ++i) y += amplitude / (i + 1) * std::sin(freq[i] * x + phase[i]);
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, W, H);
    cairo_close_path(cr);
    SetColor(cr, c, alpha);
    cairo_fill(cr);
}

void Stars(cairo_t* cr, Random& random, int count, double maxY, double brightness) {
    for (int i = 0; i < count; ++i) {
        double x = random.Range(0, W), y = random.Range(0, maxY), r = random.Range(0.5, 1.6);
        Disc(cr, x, y, r, Rgb{1, 1, 0.95}, random.Range(0.3, 1.0) * brightness);
    }
}

void Acacia(cairo_t* cr, double x, double ground, double height, const Rgb& c) {
    SetColor(cr, c);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, height * 0.06);
    cairo_move_to(cr, x, ground);
    cairo_curve_to(cr, x + height * 0.05, ground - height * 0.5, x - height * 0.1, ground - height * 0.7,
                   x - height * 0.35, ground - height * 0.85);
    cairo_move_to(cr, x + height * 0.02, ground - height * 0.45);
    cairo_curve_to(cr, x + height * 0.15, ground - height * 0.65, x + height * 0.3, ground - height * 0.75,
                   x + height * 0.4, ground - height * 0.85);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, x, ground - height * 0.92);
    cairo_scale(cr, height * 0.75, height * 0.13);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
}

void Bamboo(cairo_t* cr, double x, double width, const Rgb& c, double alpha) {
    SetColor(cr, c, alpha);
    cairo_rectangle(cr, x, 0, width, H);
    cairo_fill(cr);
    SetColor(cr, Scaled(c, 0.7), alpha);
    for (double y = std::fmod(x * 3.7, 90); y < H; y += 90) {
        cairo_rectangle(cr, x - 1, y, width + 2, 4);
        cairo_fill(cr);
    }
}

void Leaf(cairo_t* cr, double x, double y, double length, double angle, const Rgb& c, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, angle);
    cairo_move_to(cr, 0, 0);
    cairo_curve_to(cr, length * 0.3, -length * 0.22, length * 0.7, -length * 0.18, length, 0);
    cairo_curve_to(cr, length * 0.7, length * 0.18, length * 0.3, length * 0.22, 0, 0);
    cairo_restore(cr);
    SetColor(cr, c, alpha);
    cairo_fill(cr);
}

void Pine(cairo_t* cr, double x, double ground, double height, const Rgb& c) {
    SetColor(cr, c);
    for (int tier = 0; tier < 4; ++tier) {
        double top = ground - height + tier * height * 0.2;
        double half = height * (0.12 + tier * 0.07);
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x + half, top + height * 0.32);
        cairo_line_to(cr, x - half, top + height * 0.32);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    cairo_rectangle(cr, x - height * 0.03, ground - height * 0.1, height * 0.06, height * 0.1);
    cairo_fill(cr);
}

void Palm(cairo_t* cr, double x, double ground, double height, double lean, const Rgb& c) {
    SetColor(cr, c);
    cairo_set_line_width(cr, height * 0.05);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    double tx = x + lean * height, ty = ground - height;
    cairo_move_to(cr, x, ground);
    cairo_curve_to(cr, x, ground - height * 0.5, tx - lean * height * 0.3, ty + height * 0.2, tx, ty);
    cairo_stroke(cr);
    for (int i = 0; i < 7; ++i) {
        double a = M_PI + i * M_PI / 6 + (i % 2) * 0.2;
        cairo_save(cr);
        cairo_translate(cr, tx, ty);
        cairo_rotate(cr, a);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, height * 0.2, -height * 0.12, height * 0.35, -height * 0.05, height * 0.45, height * 0.12);
        cairo_curve_to(cr, height * 0.3, 0, height * 0.15, -height * 0.02, 0, 0);
        cairo_restore(cr);
        cairo_fill(cr);
    }
}

void Cloud(cairo_t* cr, double x, double y, double size, const Rgb& c, double alpha) {
    cairo_new_path(cr);
    const double lobes[5][3] = {{0, 0, 0.5}, {0.45, -0.2, 0.6}, {0.95, 0, 0.5}, {0.3, 0.15, 0.45}, {0.7, 0.15, 0.45}};
    for (const auto& lobe : lobes) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + lobe[0] * size, y + lobe[1] * size, lobe[2] * size, 0, 2 * M_PI);
    }
    SetColor(cr, c, alpha);
    cairo_fill(cr);
}

// Darkens and tints the board, the queue and the panel so the cells and
// numbers read clearly over any landscape.
void CalmPanels(cairo_t* cr, const Rgb& tint, const Rgb& rim) {
    struct Area {
        double X, Y, W, H, Alpha, Shade;
    };
    // The panel's numbers are white at half alpha: only a background this
    // dark leaves them 4.5:1 against it.
    const Area areas[] = {
        {152, 100, 496, 378, 0.72, 1.0},  // board 160..640 x 110..470 and the sweep counter above it
        {38, 102, 84, 254, 0.55, 1.0},    // queue preview
        {654, 120, 138, 352, 0.92, 0.5},  // panel: tags and numbers
    };
    for (const Area& a : areas) {
        RoundedRect(cr, a.X, a.Y, a.W, a.H, 12);
        SetColor(cr, Scaled(tint, a.Shade), a.Alpha);
        cairo_fill_preserve(cr);
        SetColor(cr, rim, 0.55);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
}

void Savanna(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(70, 30, 90)},
                          {0.45, FromBytes(230, 110, 70)},
                          {0.7, FromBytes(252, 190, 90)},
                          {1, FromBytes(120, 60, 30)}});
    Glow(cr, 330, 520, 300, FromBytes(255, 220, 120), 0.8);
    Disc(cr, 330, 520, 80, FromBytes(255, 235, 160));
    Ridge(cr, rnd, 430, 14, 2, FromBytes(150, 70, 60), 0.8);
    Ridge(cr, rnd, 480, 10, 3, FromBytes(90, 40, 35));
    Acacia(cr, 90, 490, 150, FromBytes(45, 20, 25));
    Acacia(cr, 720, 500, 190, FromBytes(45, 20, 25));
    Acacia(cr, 610, 470, 70, FromBytes(80, 35, 40));
    Ridge(cr, rnd, 545, 8, 5, FromBytes(45, 20, 25));
    CalmPanels(cr, FromBytes(40, 15, 30), FromBytes(255, 200, 120));
}

void BambooGrove(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(200, 235, 190)}, {0.6, FromBytes(120, 180, 110)}, {1, FromBytes(40, 80, 45)}});
    for (int i = 0; i < 26; ++i) {
        double x = rnd.Range(-20, W);
        Bamboo(cr, x, rnd.Range(8, 16), FromBytes(110, 170, 100), 0.5);
    }
    Glow(cr, 400, 0, 420, FromBytes(255, 255, 220), 0.5);
    for (int i = 0; i < 14; ++i) {
        double x = rnd.Range(-20, W);
        Bamboo(cr, x, rnd.Range(18, 30), FromBytes(50, 110, 55), 1.0);
        for (int k = 0; k < 3; ++k)
            Leaf(cr, x + 10, rnd.Range(40, 560), rnd.Range(40, 70), rnd.Range(-0.6, 0.6) + (k % 2) * M_PI,
                 FromBytes(40, 95, 45), 0.9);
    }
    Ridge(cr, rnd, 560, 10, 3, FromBytes(30, 60, 30));
    CalmPanels(cr, FromBytes(15, 40, 20), FromBytes(200, 255, 180));
}

void DesertNight(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(10, 10, 40)}, {0.6, FromBytes(50, 35, 100)}, {1, FromBytes(110, 60, 120)}});
    Stars(cr, rnd, 260, 420, 1.0);
    Glow(cr, 660, 90, 150, FromBytes(200, 210, 255), 0.5);
    Disc(cr, 660, 90, 38, FromBytes(245, 240, 220));
    Disc(cr, 675, 82, 34, FromBytes(30, 25, 75));  // crescent
    Ridge(cr, rnd, 440, 30, 1.5, FromBytes(120, 70, 110));
    Ridge(cr, rnd, 490, 25, 2, FromBytes(85, 45, 90));
    Ridge(cr, rnd, 550, 18, 2.5, FromBytes(50, 25, 60));
    CalmPanels(cr, FromBytes(10, 8, 35), FromBytes(180, 160, 255));
}

void RiverSwamp(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(120, 200, 210)},
                          {0.45, FromBytes(220, 235, 200)},
                          {0.5, FromBytes(60, 120, 110)},
                          {1, FromBytes(20, 60, 60)}});
    Ridge(cr, rnd, 280, 12, 3, FromBytes(70, 120, 90));
    // Water with light ripples.
    VerticalGradient(cr, {{0, FromBytes(70, 140, 140)}, {1, FromBytes(15, 50, 55)}}, 300, H);
    for (int i = 0; i < 120; ++i) {
        double y = rnd.Range(305, H), x = rnd.Range(0, W), len = rnd.Range(10, 60);
        SetColor(cr, Rgb{0.8, 1.0, 0.95}, 0.15 + 0.2 * (y - 300) / 300);
        cairo_rectangle(cr, x, y, len, 1.5);
        cairo_fill(cr);
    }
    for (int i = 0; i < 40; ++i) {
        double x = rnd.Range(0, W);
        if (x > 130 && x < 660) continue;
        double h = rnd.Range(90, 220);
        SetColor(cr, FromBytes(40, 80, 40));
        cairo_set_line_width(cr, 3);
        cairo_move_to(cr, x, H);
        cairo_curve_to(cr, x, H - h / 2, x + rnd.Range(-20, 20), H - h * 0.8, x + rnd.Range(-30, 30), H - h);
        cairo_stroke(cr);
        if (i % 3 == 0) {
            RoundedRect(cr, x - 4, H - h * 0.75, 8, 26, 4);
            SetColor(cr, FromBytes(100, 60, 30));
            cairo_fill(cr);
        }
    }
    CalmPanels(cr, FromBytes(5, 35, 40), FromBytes(170, 240, 230));
}

void Highland(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr,
                     {{0, FromBytes(60, 140, 230)}, {0.6, FromBytes(170, 215, 250)}, {1, FromBytes(230, 240, 250)}});
    Glow(cr, 110, 70, 180, FromBytes(255, 255, 220), 0.9);
    Disc(cr, 110, 70, 40, FromBytes(255, 250, 215));
    for (int i = 0; i < 7; ++i) Cloud(cr, rnd.Range(0, W), rnd.Range(30, 200), rnd.Range(50, 100), Rgb{1, 1, 1}, 0.85);
    Ridge(cr, rnd, 390, 25, 1.5, FromBytes(150, 180, 90));
    Ridge(cr, rnd, 450, 18, 2, FromBytes(200, 180, 70));
    Ridge(cr, rnd, 520, 12, 3, FromBytes(170, 140, 50));
    Acacia(cr, 700, 470, 170, FromBytes(70, 90, 40));
    Acacia(cr, 80, 450, 120, FromBytes(80, 100, 45));
    CalmPanels(cr, FromBytes(20, 35, 60), FromBytes(255, 255, 255));
}

void Jungle(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(30, 90, 60)}, {0.5, FromBytes(20, 70, 45)}, {1, FromBytes(8, 30, 20)}});
    // Light shafts through the canopy.
    for (int i = 0; i < 6; ++i) {
        double x = rnd.Range(50, W - 50);
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x + 60, 0);
        cairo_line_to(cr, x + 220, H);
        cairo_line_to(cr, x + 120, H);
        cairo_close_path(cr);
        SetColor(cr, FromBytes(230, 255, 180), 0.07);
        cairo_fill(cr);
    }
    static const Rgb kLeafColors[3] = {{0.10, 0.40, 0.22}, {0.16, 0.52, 0.25}, {0.05, 0.28, 0.16}};
    for (int i = 0; i < 150; ++i) {
        double x = rnd.Range(-40, W + 40), y = rnd.Range(-40, H + 40);
        Leaf(cr, x, y, rnd.Range(50, 120), rnd.Range(0, 2 * M_PI), kLeafColors[i % 3], 0.9);
    }
    for (int i = 0; i < 6; ++i) {
        Rgb flower = i % 2 ? FromBytes(255, 90, 120) : FromBytes(255, 180, 60);
        double x = rnd.Range(0, W), y = rnd.Range(0, H);
        for (int p = 0; p < 5; ++p) Disc(cr, x + 7 * std::cos(p * 1.2566), y + 7 * std::sin(p * 1.2566), 5, flower);
        Disc(cr, x, y, 3.5, FromBytes(255, 240, 120));
    }
    CalmPanels(cr, FromBytes(5, 25, 15), FromBytes(150, 230, 150));
}

void SunsetMountains(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(60, 20, 80)},
                          {0.35, FromBytes(200, 60, 120)},
                          {0.6, FromBytes(255, 150, 90)},
                          {1, FromBytes(255, 200, 120)}});
    Glow(cr, 250, 330, 240, FromBytes(255, 220, 150), 0.7);
    Disc(cr, 250, 330, 55, FromBytes(255, 230, 170));
    Ridge(cr, rnd, 300, 70, 2.5, FromBytes(170, 70, 120));
    Ridge(cr, rnd, 370, 55, 3, FromBytes(120, 45, 100));
    Ridge(cr, rnd, 440, 40, 3.5, FromBytes(80, 25, 75));
    Ridge(cr, rnd, 520, 25, 4, FromBytes(45, 12, 45));
    CalmPanels(cr, FromBytes(35, 10, 35), FromBytes(255, 180, 200));
}

void Lagoon(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(20, 100, 190)},
                          {0.45, FromBytes(120, 210, 240)},
                          {0.46, FromBytes(30, 170, 190)},
                          {1, FromBytes(10, 60, 120)}});
    for (int i = 0; i < 5; ++i) Cloud(cr, rnd.Range(0, W), rnd.Range(30, 160), rnd.Range(40, 80), Rgb{1, 1, 1}, 0.8);
    for (int row = 0; row < 22; ++row) {
        double y = 285 + row * row * 0.65;
        SetColor(cr, Rgb{1, 1, 1}, 0.12 + row * 0.01);
        cairo_set_line_width(cr, 1.5 + row * 0.12);
        double shift = rnd.Range(0, 60);
        cairo_move_to(cr, -60 + shift, y);
        for (double x = -60 + shift; x < W + 60; x += 60) cairo_curve_to(cr, x + 15, y - 5, x + 45, y + 5, x + 60, y);
        cairo_stroke(cr);
    }
    // A sandy islet with palms on either side.
    cairo_save(cr);
    cairo_translate(cr, 70, 560);
    cairo_scale(cr, 190, 45);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    SetColor(cr, FromBytes(240, 215, 150));
    cairo_fill(cr);
    Palm(cr, 60, 545, 260, 0.25, FromBytes(20, 60, 50));
    Palm(cr, 745, 600, 300, -0.2, FromBytes(20, 60, 50));
    CalmPanels(cr, FromBytes(5, 30, 60), FromBytes(180, 240, 255));
}

void AutumnForest(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(250, 210, 150)}, {0.55, FromBytes(220, 130, 60)}, {1, FromBytes(90, 40, 20)}});
    for (int layer = 0; layer < 3; ++layer) {
        Rgb c = Mixed(FromBytes(140, 70, 40), FromBytes(55, 25, 15), layer / 2.0);
        for (int i = 0; i < 16; ++i)
            Pine(cr, rnd.Range(-20, W + 20), 420 + layer * 60, rnd.Range(140, 220) + layer * 40, c);
    }
    static const Rgb kLeafColors[3] = {{0.95, 0.55, 0.10}, {0.85, 0.25, 0.10}, {0.98, 0.80, 0.20}};
    for (int i = 0; i < 90; ++i)
        Leaf(cr, rnd.Range(0, W), rnd.Range(0, H), rnd.Range(10, 18), rnd.Range(0, 2 * M_PI), kLeafColors[i % 3], 0.9);
    CalmPanels(cr, FromBytes(35, 15, 8), FromBytes(255, 200, 130));
}

void Aurora(cairo_t* cr, Random& rnd) {
    VerticalGradient(cr, {{0, FromBytes(5, 10, 35)}, {0.7, FromBytes(20, 40, 80)}, {1, FromBytes(40, 70, 110)}});
    Stars(cr, rnd, 220, 450, 0.9);
    // Curtains of light: many thin translucent vertical strokes along waves.
    for (int band = 0; band < 3; ++band) {
        Rgb c = band == 1 ? FromBytes(120, 90, 255) : FromBytes(60, 255, 160);
        double base = 120 + band * 70, phase = rnd.Range(0, 6.28);
        for (int x = 0; x < W; x += 3) {
            double y = base + 40 * std::sin(x * 0.008 + phase) + 15 * std::sin(x * 0.023 + phase * 2);
            double len = 90 + 50 * std::sin(x * 0.015 + phase);
            cairo_pattern_t* p = cairo_pattern_create_linear(0, y - len, 0, y);
            cairo_pattern_add_color_stop_rgba(p, 0, c.R, c.G, c.B, 0);
            cairo_pattern_add_color_stop_rgba(p, 1, c.R, c.G, c.B, 0.10);
            cairo_rectangle(cr, x, y - len, 3, len + 6);
            cairo_set_source(cr, p);
            cairo_fill(cr);
            cairo_pattern_destroy(p);
        }
    }
    Ridge(cr, rnd, 470, 35, 2, FromBytes(200, 215, 240));
    Ridge(cr, rnd, 530, 20, 3, FromBytes(150, 170, 210));
    for (int i = 0; i < 8; ++i) Pine(cr, rnd.Range(0, W), 600, rnd.Range(80, 140), FromBytes(15, 30, 45));
    CalmPanels(cr, FromBytes(5, 10, 30), FromBytes(140, 255, 200));
}

}  // namespace

Picture DrawBackground(int number) {
    static void (*const kScenes[10])(cairo_t*, Random&) = {
        Savanna, BambooGrove, DesertNight, RiverSwamp, Highland, Jungle, SunsetMountains, Lagoon, AutumnForest, Aurora,
    };
    Canvas canvas(kBackgroundWidth, kBackgroundHeight, false);
    Random random(0x5EED0000u + static_cast<uint32_t>(number));
    kScenes[(number - 1) % 10](canvas.Cr(), random);
    return canvas.Finish();
}

}  // namespace tuublark::assetgen
