// SavePixmapPNG: 8-bit RGB or RGBA PNG files through libpng.
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <vector>

#include "engine/image/pixmap.h"
#include "engine/runtime/file_open.h"

namespace tuublark {
namespace {

void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

bool WritePng(png_structp png, png_infop info, std::FILE* file, const TPixmap& pixmap, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, file);
    int colourType = pixmap.Format == PixelFormatRGB888 ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGBA;
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixmap.Width), static_cast<png_uint_32>(pixmap.Height), 8,
                 colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool SavePixmapPNG(const TPixmap& pixmap, const std::string& path) {
    if (pixmap.Width <= 0 || pixmap.Height <= 0) return false;
    PixmapRef converted;
    const TPixmap* source = &pixmap;
    if (pixmap.Format != PixelFormatRGB888 && pixmap.Format != PixelFormatRGBA8888) {
        converted = ConvertPixmap(pixmap, PixelFormatRGBA8888);
        if (!converted) return false;
        source = converted.get();
    }
    std::vector<png_bytep> rows(static_cast<size_t>(source->Height));
    for (int32_t y = 0; y < source->Height; ++y) rows[static_cast<size_t>(y)] = const_cast<png_bytep>(source->Row(y));

    std::FILE* file = OpenFile(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info && WritePng(png, info, file, *source, rows.data());
    if (png) png_destroy_write_struct(&png, info ? &info : nullptr);
    ok = (std::fclose(file) == 0) && ok;
    if (!ok) {
        int reason = errno;  // for the caller's message
        std::remove(path.c_str());
        errno = reason;
    }
    return ok;
}

}  // namespace tuublark
