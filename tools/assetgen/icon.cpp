#include "tools/assetgen/icon.h"

#include <cairo.h>

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/title_letters.h"

namespace tuublark::assetgen {

bool WriteIcon(int size, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surface);
    // Drawn as vectors at each size, on a grid of two blocks plus a margin
    // of a sixteenth, so small icons stay sharp rather than shrunk.
    const double unit = size / (2.0 * kLetterBlockSize * 17.0 / 16.0);
    const double margin = (size - 2 * kLetterBlockSize * unit) / 2;
    RoundedRect(cr, margin * 0.5, margin * 0.5, size - margin, size - margin, size / 10.0);
    SetColor(cr, Rgb{0.08, 0.06, 0.10});
    cairo_fill(cr);
    static const struct {
        char Letter;
        int Color, Column, Row;
    } kBlocks[] = {{'T', 0, 0, 0}, {'U', 2, 1, 0}, {'B', 3, 0, 1}, {'L', 5, 1, 1}};
    for (const auto& block : kBlocks) {
        cairo_save(cr);
        cairo_translate(cr, margin + block.Column * kLetterBlockSize * unit,
                        margin + block.Row * kLetterBlockSize * unit);
        cairo_scale(cr, unit, unit);
        PaintLetterBlock(cr, block.Letter, block.Color);
        cairo_restore(cr);
    }
    cairo_destroy(cr);
    bool ok = cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    return ok;
}

}  // namespace tuublark::assetgen
