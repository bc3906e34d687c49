// PNG pictures through libpng: 8-bit RGB and 8-bit RGBA only.
//
// libpng reports errors by longjmp, so every call that may fail runs in a
// small function that holds no objects with destructors.
#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <vector>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"

namespace tuublark {
namespace {

void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

// libpng allocates a text or profile chunk's stated length before reading
// its data, so a short file claiming a huge chunk would take gigabytes.
// Nothing libpng needs for an accepted picture comes near this; a refused
// allocation skips the chunk or fails the picture.
constexpr png_alloc_size_t MaxPngAllocation = 16 * 1024 * 1024;

png_voidp PngMalloc(png_structp, png_alloc_size_t size) {
    return size <= MaxPngAllocation ? std::malloc(size) : nullptr;
}

void PngFree(png_structp, png_voidp memory) { std::free(memory); }

void PngRead(png_structp png, png_bytep data, size_t length) {
    auto* stream = static_cast<TStream*>(png_get_io_ptr(png));
    if (stream->Read(data, length) != length) png_error(png, "truncated");
}

bool ReadPngHeader(png_structp png, png_infop info, png_uint_32& width, png_uint_32& height, int& depth,
                   int& colourType, int& passes) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_info(png, info);
    int interlace, compression, filter;
    png_get_IHDR(png, info, &width, &height, &depth, &colourType, &interlace, &compression, &filter);
    passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool ReadPngRows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    return true;
}

bool ReadPngRow(png_structp png, png_bytep row) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_row(png, row, nullptr);
    return true;
}

// Rows one by one, each made as its data arrives; an interlaced picture
// needs every row from its first pass on, so it is made whole.
bool ReadPngPixels(png_structp png, int passes, TPixmap& pixmap) {
    const png_uint_32 height = static_cast<png_uint_32>(pixmap.Height);
    if (passes > 1) {
        AddRow(pixmap, pixmap.Height - 1);
        std::vector<png_bytep> rows(height);
        for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixmap.Row(static_cast<int32_t>(y));
        return ReadPngRows(png, rows.data());
    }
    for (int32_t y = 0; y < pixmap.Height; ++y)
        if (!ReadPngRow(png, AddRow(pixmap, y))) return false;
    return true;
}

}  // namespace

PixmapRef LoadPngPixmap(TStream& stream) {
    png_byte signature[8];
    if (stream.Read(signature, 8) != 8 || png_sig_cmp(signature, 0, 8) != 0) return nullptr;
    png_structp png =
        png_create_read_struct_2(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning, nullptr, PngMalloc, PngFree);
    if (!png) return nullptr;
    png_infop info = png_create_info_struct(png);
    PixmapRef pixmap;
    png_uint_32 width = 0, height = 0;
    int depth = 0, colourType = 0, passes = 1;
    if (info) {
        png_set_sig_bytes(png, 8);
        png_set_read_fn(png, &stream, PngRead);
        png_set_user_limits(png, MaxPictureSide, MaxPictureSide);
        if (ReadPngHeader(png, info, width, height, depth, colourType, passes) && depth == 8 &&
            (colourType == PNG_COLOR_TYPE_RGB || colourType == PNG_COLOR_TYPE_RGBA)) {
            pixmap = CreateGrowingPixmap(static_cast<int32_t>(width), static_cast<int32_t>(height),
                                         colourType == PNG_COLOR_TYPE_RGB ? PixelFormatRGB888 : PixelFormatRGBA8888);
            if (!ReadPngPixels(png, passes, *pixmap)) pixmap.reset();
        }
    }
    png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    return pixmap;
}

}  // namespace tuublark
