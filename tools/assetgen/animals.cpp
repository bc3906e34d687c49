#include "tools/assetgen/animals.h"

#include <strings.h>

#include <cmath>

#include "tools/assetgen/canvas.h"

namespace tuublark::assetgen {
namespace {

const Rgb kInk = {0.10, 0.08, 0.10};
const Rgb kWhite = {1.0, 1.0, 1.0};

// How one drawing of an animal is coloured and what face it makes.
struct Look {
    double Shade;  // multiplies every fur colour
    bool Shocked;
    double Outline;  // line width in drawing units (100 units = picture size)
};

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

// Fills the current path with the shaded colour and outlines it.
void FillOutlined(cairo_t* cr, const Rgb& c, const Look& look) {
    SetColor(cr, Scaled(c, look.Shade));
    cairo_fill_preserve(cr);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, look.Outline);
    cairo_stroke(cr);
}

void FillPlain(cairo_t* cr, const Rgb& c, const Look& look) {
    SetColor(cr, Scaled(c, look.Shade));
    cairo_fill(cr);
}

// A pair of eyes centred on (cx ± dx, y). Calm eyes are dark with a glint;
// startled ones are wide and white with small pupils.
void Eyes(cairo_t* cr, double cx, double dx, double y, double r, const Look& look) {
    for (int side = -1; side <= 1; side += 2) {
        double x = cx + side * dx;
        if (look.Shocked) {
            Ellipse(cr, x, y, r * 1.9, r * 2.1);
            SetColor(cr, kInk);
            cairo_fill(cr);
            Ellipse(cr, x, y, r * 1.9 - look.Outline * 0.45, r * 2.1 - look.Outline * 0.45);
            SetColor(cr, kWhite);
            cairo_fill(cr);
            Ellipse(cr, x, y, r * 0.6, r * 0.6);
            SetColor(cr, kInk);
            cairo_fill(cr);
        } else {
            Ellipse(cr, x, y, r, r * 1.15);
            SetColor(cr, kInk);
            cairo_fill(cr);
            Ellipse(cr, x + r * 0.35, y - r * 0.4, r * 0.38, r * 0.38);
            SetColor(cr, kWhite);
            cairo_fill(cr);
        }
    }
}

// A smile, or a round open mouth when startled.
void Mouth(cairo_t* cr, double cx, double y, double width, const Look& look) {
    SetColor(cr, kInk);
    if (look.Shocked) {
        Ellipse(cr, cx, y + 2, width * 0.32, width * 0.42);
        cairo_fill(cr);
        Ellipse(cr, cx, y + 5, width * 0.18, width * 0.15);
        SetColor(cr, Rgb{0.85, 0.35, 0.40});
        cairo_fill(cr);
        return;
    }
    cairo_set_line_width(cr, look.Outline * 0.9);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx - width / 2, y);
    cairo_curve_to(cr, cx - width / 4, y + width * 0.35, cx + width / 4, y + width * 0.35, cx + width / 2, y);
    cairo_stroke(cr);
}

void DrawEly(cairo_t* cr, const Look& l) {
    const Rgb skin = {0.63, 0.68, 0.78}, ear = {0.86, 0.66, 0.74};
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 29, 44, 20, 27);
        FillOutlined(cr, skin, l);
        Ellipse(cr, 50 + side * 31, 45, 12, 18);
        FillPlain(cr, ear, l);
    }
    Ellipse(cr, 50, 42, 24, 26);
    FillOutlined(cr, skin, l);
    // Tusks either side of the trunk.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 50 + side * 9, 58);
        cairo_curve_to(cr, 50 + side * 12, 68, 50 + side * 16, 72, 50 + side * 20, 72);
        cairo_line_to(cr, 50 + side * 14, 62);
        cairo_close_path(cr);
        SetColor(cr, Rgb{0.98, 0.96, 0.88});
        cairo_fill_preserve(cr);
        SetColor(cr, kInk);
        cairo_set_line_width(cr, l.Outline * 0.6);
        cairo_stroke(cr);
    }
    // Trunk: a thick curled stroke, outline first.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    auto trunk = [&] {
        cairo_move_to(cr, 50, 50);
        cairo_curve_to(cr, 50, 70, 46, 84, 56, 92);
        cairo_curve_to(cr, 62, 95, 66, 90, 64, 86);
    };
    trunk();
    SetColor(cr, kInk);
    cairo_set_line_width(cr, 15 + l.Outline * 2);
    cairo_stroke(cr);
    trunk();
    SetColor(cr, Scaled(skin, l.Shade));
    cairo_set_line_width(cr, 15);
    cairo_stroke(cr);
    Eyes(cr, 50, 11, 38, 4.2, l);
    if (l.Shocked) Mouth(cr, 35, 70, 12, l);
}

void DrawHippo(cairo_t* cr, const Look& l) {
    const Rgb skin = {0.66, 0.56, 0.76}, muzzle = {0.90, 0.70, 0.80};
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 24, 17, 8, 9);
        FillOutlined(cr, skin, l);
        Ellipse(cr, 50 + side * 24, 18, 4, 5);
        FillPlain(cr, muzzle, l);
    }
    Ellipse(cr, 50, 40, 28, 24);
    FillOutlined(cr, skin, l);
    Ellipse(cr, 50, 67, 40, 25);
    FillOutlined(cr, muzzle, l);
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 14, 58, 5, 6.5);
        SetColor(cr, Scaled(Rgb{0.35, 0.20, 0.30}, l.Shade));
        cairo_fill(cr);
    }
    Eyes(cr, 50, 13, 33, 4.5, l);
    if (l.Shocked) Mouth(cr, 50, 73, 22, l);
    else Mouth(cr, 50, 74, 30, l);
}

void DrawPanda(cairo_t* cr, const Look& l) {
    const Rgb fur = {0.97, 0.97, 0.95}, black = {0.13, 0.13, 0.15};
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 30, 22, 13, 13);
        FillOutlined(cr, black, l);
    }
    Ellipse(cr, 50, 54, 39, 35);
    FillOutlined(cr, fur, l);
    for (int side = -1; side <= 1; side += 2) {
        cairo_save(cr);
        cairo_translate(cr, 50 + side * 15, 50);
        cairo_rotate(cr, side * 0.55);
        Ellipse(cr, 0, 0, 10.5, 14);
        cairo_restore(cr);
        FillPlain(cr, black, l);
    }
    // Panda eyes sit inside the patches, so draw them light on dark.
    for (int side = -1; side <= 1; side += 2) {
        double x = 50 + side * 15;
        if (l.Shocked) {
            Ellipse(cr, x, 49, 6.5, 7.5);
            SetColor(cr, kWhite);
            cairo_fill(cr);
            Ellipse(cr, x, 49, 2.4, 2.4);
            SetColor(cr, kInk);
            cairo_fill(cr);
        } else {
            Ellipse(cr, x + side * 1, 48, 3.6, 3.6);
            SetColor(cr, kWhite);
            cairo_fill(cr);
            Ellipse(cr, x + side * 1, 48.5, 2.2, 2.2);
            SetColor(cr, kInk);
            cairo_fill(cr);
        }
    }
    Ellipse(cr, 50, 66, 6.5, 4.5);
    SetColor(cr, kInk);
    cairo_fill(cr);
    if (l.Shocked) Mouth(cr, 50, 76, 12, l);
    else Mouth(cr, 50, 74, 14, l);
}

void DrawApe(cairo_t* cr, const Look& l) {
    const Rgb fur = {0.52, 0.36, 0.24}, face = {0.90, 0.74, 0.58};
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 37, 50, 11, 12);
        FillOutlined(cr, fur, l);
        Ellipse(cr, 50 + side * 37, 50, 6, 7);
        FillPlain(cr, face, l);
    }
    Ellipse(cr, 50, 50, 34, 38);
    FillOutlined(cr, fur, l);
    // Heart-shaped face: two eye discs and a muzzle.
    Ellipse(cr, 38, 44, 14, 15);
    Ellipse(cr, 62, 44, 14, 15);
    Ellipse(cr, 50, 67, 24, 17);
    FillPlain(cr, face, l);
    Eyes(cr, 50, 11, 44, 4.2, l);
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 4, 60, 2.2, 2.6);
        SetColor(cr, kInk);
        cairo_fill(cr);
    }
    Mouth(cr, 50, l.Shocked ? 70 : 70, l.Shocked ? 14 : 18, l);
}

void DrawLion(cairo_t* cr, const Look& l) {
    const Rgb mane = {0.80, 0.42, 0.12}, face = {0.99, 0.78, 0.34}, muzzle = {1.0, 0.93, 0.76};
    // Mane: a ring of lobes behind the head.
    cairo_new_path(cr);
    const int lobes = 12;
    for (int i = 0; i < lobes; ++i) {
        double a = 2 * M_PI * i / lobes;
        Ellipse(cr, 50 + 33 * std::cos(a), 51 + 33 * std::sin(a), 13, 13);
    }
    Ellipse(cr, 50, 51, 36, 36);
    SetColor(cr, kInk);
    cairo_set_line_width(cr, l.Outline * 2);
    cairo_stroke_preserve(cr);
    FillPlain(cr, mane, l);
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 21, 28, 8, 8);
        FillOutlined(cr, face, l);
    }
    Ellipse(cr, 50, 52, 28, 28);
    FillOutlined(cr, face, l);
    Ellipse(cr, 43, 67, 10, 8.5);
    Ellipse(cr, 57, 67, 10, 8.5);
    FillPlain(cr, muzzle, l);
    cairo_move_to(cr, 44, 59);
    cairo_line_to(cr, 56, 59);
    cairo_line_to(cr, 50, 66);
    cairo_close_path(cr);
    SetColor(cr, Scaled(Rgb{0.55, 0.25, 0.20}, l.Shade));
    cairo_fill(cr);
    Eyes(cr, 50, 11, 47, 4.0, l);
    if (l.Shocked) Mouth(cr, 50, 73, 12, l);
}

void DrawCroc(cairo_t* cr, const Look& l) {
    const Rgb skin = {0.33, 0.62, 0.30}, snout = {0.48, 0.74, 0.38}, eye = {0.98, 0.86, 0.20};
    // Head and long snout seen from the front and above.
    RoundedRect(cr, 18, 22, 64, 38, 16);
    FillOutlined(cr, skin, l);
    // Teeth along the snout edges.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i) {
            double y = 56 + i * 11;
            double x = 50 + side * 17;
            cairo_move_to(cr, x, y);
            cairo_line_to(cr, x + side * 6, y + 3);
            cairo_line_to(cr, x, y + 6);
            cairo_close_path(cr);
            SetColor(cr, kWhite);
            cairo_fill_preserve(cr);
            SetColor(cr, kInk);
            cairo_set_line_width(cr, l.Outline * 0.5);
            cairo_stroke(cr);
        }
    RoundedRect(cr, 31, 44, 38, 52, 14);
    FillOutlined(cr, snout, l);
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 7, 86, 2.8, 2.2);
        SetColor(cr, kInk);
        cairo_fill(cr);
        // Eye bumps on top of the head.
        Ellipse(cr, 50 + side * 19, 22, 12, 11);
        FillOutlined(cr, skin, l);
        double x = 50 + side * 19;
        if (l.Shocked) {
            Ellipse(cr, x, 21, 9, 9.5);
            SetColor(cr, kWhite);
            cairo_fill(cr);
            Ellipse(cr, x, 21, 3, 3);
            SetColor(cr, kInk);
            cairo_fill(cr);
        } else {
            Ellipse(cr, x, 22, 7, 6.5);
            SetColor(cr, Scaled(eye, l.Shade));
            cairo_fill(cr);
            Ellipse(cr, x, 22, 1.8, 5.5);
            SetColor(cr, kInk);
            cairo_fill(cr);
        }
    }
    // Scales: a row of ridges across the head.
    SetColor(cr, Scaled(Rgb{0.20, 0.42, 0.20}, l.Shade));
    for (int i = -1; i <= 1; ++i) {
        Ellipse(cr, 50 + i * 9, 40, 3.2, 2.6);
        cairo_fill(cr);
    }
    if (l.Shocked) Mouth(cr, 50, 64, 14, l);
}

void DrawGiraffe(cairo_t* cr, const Look& l) {
    const Rgb coat = {0.99, 0.80, 0.34}, spot = {0.66, 0.36, 0.14}, muzzle = {1.0, 0.91, 0.72};
    // Neck below the head.
    RoundedRect(cr, 37, 70, 26, 40, 6);
    FillOutlined(cr, coat, l);
    Ellipse(cr, 44, 90, 5, 4);
    Ellipse(cr, 57, 84, 4, 5);
    FillPlain(cr, spot, l);
    // Horns (ossicones) with dark knobs.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, 50 + side * 9, 28);
        cairo_line_to(cr, 50 + side * 13, 10);
        SetColor(cr, kInk);
        cairo_set_line_width(cr, 7 + l.Outline * 2);
        cairo_stroke(cr);
        cairo_move_to(cr, 50 + side * 9, 28);
        cairo_line_to(cr, 50 + side * 13, 10);
        SetColor(cr, Scaled(coat, l.Shade));
        cairo_set_line_width(cr, 7);
        cairo_stroke(cr);
        Ellipse(cr, 50 + side * 13, 9, 5.5, 5.5);
        FillOutlined(cr, spot, l);
        // Ears out to the sides.
        cairo_save(cr);
        cairo_translate(cr, 50 + side * 28, 36);
        cairo_rotate(cr, side * -0.45);
        Ellipse(cr, 0, 0, 11, 5.5);
        cairo_restore(cr);
        FillOutlined(cr, coat, l);
    }
    Ellipse(cr, 50, 45, 22, 25);
    FillOutlined(cr, coat, l);
    Ellipse(cr, 38, 28, 5, 4);
    Ellipse(cr, 63, 31, 4, 5);
    Ellipse(cr, 50, 23, 4, 3);
    FillPlain(cr, spot, l);
    Ellipse(cr, 50, 69, 18, 14);
    FillOutlined(cr, muzzle, l);
    for (int side = -1; side <= 1; side += 2) {
        Ellipse(cr, 50 + side * 7, 66, 2.2, 3);
        SetColor(cr, kInk);
        cairo_fill(cr);
    }
    Eyes(cr, 50, 10, 45, 3.8, l);
    Mouth(cr, 50, 74, l.Shocked ? 10 : 14, l);
}

struct AnimalKind {
    const char* Name;
    void (*Draw)(cairo_t*, const Look&);
    Rgb Habitat;  // tint of the tile behind the animal
};

const AnimalKind kAnimals[] = {
    {"Ely", DrawEly, {0.78, 0.88, 1.00}},         {"Hippo", DrawHippo, {0.90, 0.84, 1.00}},
    {"Panda", DrawPanda, {0.80, 0.95, 0.74}},     {"Ape", DrawApe, {0.92, 0.96, 0.72}},
    {"Lion", DrawLion, {1.00, 0.92, 0.70}},       {"Croc", DrawCroc, {0.76, 0.95, 0.96}},
    {"Giraffe", DrawGiraffe, {1.00, 0.86, 0.78}},
};

const AnimalKind* FindAnimal(const std::string& name) {
    for (const AnimalKind& kind : kAnimals)
        if (strcasecmp(kind.Name, name.c_str()) == 0) return &kind;
    return nullptr;
}

// The square tile behind a cell's animal. Light tiles are pale, dark ones
// deep, so the two colours differ in brightness as well as in animal: at
// least 3:1 in mean luminance in every skin.
void DrawTile(cairo_t* cr, const Rgb& habitat, AnimalLook look) {
    const double s = 100;
    cairo_pattern_t* fill = nullptr;
    Rgb rim{};
    if (look == AnimalLook::Light) {
        rim = Scaled(habitat, 0.62);
        fill = cairo_pattern_create_linear(0, 0, 0, s);
        cairo_pattern_add_color_stop_rgb(fill, 0, habitat.R, habitat.G, habitat.B);
        Rgb low = Scaled(habitat, 0.92);
        cairo_pattern_add_color_stop_rgb(fill, 1, low.R, low.G, low.B);
    } else if (look == AnimalLook::Dark) {
        rim = Scaled(Mixed(habitat, Rgb{0.2, 0.25, 0.5}, 0.5), 0.62);
        fill = cairo_pattern_create_linear(0, 0, 0, s);
        Rgb top = Scaled(Mixed(habitat, Rgb{0.2, 0.25, 0.5}, 0.5), 0.30);
        Rgb low = Scaled(top, 0.55);
        cairo_pattern_add_color_stop_rgb(fill, 0, top.R, top.G, top.B);
        cairo_pattern_add_color_stop_rgb(fill, 1, low.R, low.G, low.B);
    } else {
        rim = Rgb{1.0, 0.62, 0.10};
        fill = cairo_pattern_create_radial(50, 50, 5, 50, 50, 70);
        cairo_pattern_add_color_stop_rgb(fill, 0, 1.0, 1.0, 0.92);
        cairo_pattern_add_color_stop_rgb(fill, 0.55, 1.0, 0.92, 0.45);
        cairo_pattern_add_color_stop_rgb(fill, 1, 1.0, 0.62, 0.12);
    }
    SetColor(cr, rim);
    cairo_paint(cr);
    RoundedRect(cr, 5, 5, s - 10, s - 10, 16);
    cairo_set_source(cr, fill);
    cairo_fill(cr);
    cairo_pattern_destroy(fill);
    // A thin highlight along the top edge gives the tile some depth.
    RoundedRect(cr, 5, 5, s - 10, s - 10, 16);
    cairo_set_source_rgba(cr, 1, 1, 1, look == AnimalLook::Dark ? 0.18 : 0.55);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
}

}  // namespace

bool IsAnimal(const std::string& name) { return FindAnimal(name) != nullptr; }

Picture DrawAnimal(const std::string& name, AnimalLook look) {
    const AnimalKind* kind = FindAnimal(name);
    const bool masked = look == AnimalLook::Shock;
    Canvas canvas(kCellPictureSize, kCellPictureSize, masked);
    cairo_t* cr = canvas.Cr();
    cairo_scale(cr, kCellPictureSize / 100.0, kCellPictureSize / 100.0);
    if (!masked) DrawTile(cr, kind->Habitat, look);
    Look l{1.0, false, 4.0};
    switch (look) {
        case AnimalLook::Light: break;
        case AnimalLook::Dark: l.Shade = 0.68; break;
        case AnimalLook::Lit: l.Shade = 1.12; break;
        case AnimalLook::Shock:
            l.Shocked = true;
            l.Outline = 5.0;
            break;
    }
    if (masked) {
        // Keep the startled face inside the picture with room for its outline.
        cairo_translate(cr, 50, 50);
        cairo_scale(cr, 0.9, 0.9);
        cairo_translate(cr, -50, -50);
    } else {
        cairo_translate(cr, 50, 50);
        cairo_scale(cr, 0.84, 0.84);
        cairo_translate(cr, -50, -50);
    }
    kind->Draw(cr, l);
    return canvas.Finish();
}

}  // namespace tuublark::assetgen
