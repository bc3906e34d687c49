// JPEG pictures through libjpeg, decoded to RGB.
//
// libjpeg reports errors through error_exit, which here longjmps back; the
// calls that may fail run in small functions holding no objects with
// destructors. Corrupt-data warnings count as errors, so a damaged or
// truncated file gives null rather than a half-grey picture.
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

#include <csetjmp>
#include <vector>

#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"

namespace tuublark {
namespace {

struct TJpegError {
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
};

struct TJpegSource {
    jpeg_source_mgr Manager;
    TStream* Stream;
    JOCTET Buffer[4096];
};

void JpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegError*>(info->err)->Jump, 1); }

void JpegEmitMessage(j_common_ptr info, int level) {
    if (level < 0) JpegErrorExit(info);  // a warning: the data is corrupt
}

void JpegOutputMessage(j_common_ptr) {}

void JpegInitSource(j_decompress_ptr) {}

boolean JpegFillInput(j_decompress_ptr info) {
    auto* source = reinterpret_cast<TJpegSource*>(info->src);
    size_t n = source->Stream->Read(source->Buffer, sizeof(source->Buffer));
    if (n == 0) JpegErrorExit(reinterpret_cast<j_common_ptr>(info));  // truncated
    source->Manager.next_input_byte = source->Buffer;
    source->Manager.bytes_in_buffer = n;
    return TRUE;
}

void JpegSkipInput(j_decompress_ptr info, long count) {
    auto* source = reinterpret_cast<TJpegSource*>(info->src);
    while (count > static_cast<long>(source->Manager.bytes_in_buffer)) {
        count -= static_cast<long>(source->Manager.bytes_in_buffer);
        JpegFillInput(info);
    }
    if (count > 0) {
        source->Manager.next_input_byte += count;
        source->Manager.bytes_in_buffer -= static_cast<size_t>(count);
    }
}

void JpegTermSource(j_decompress_ptr) {}

bool CreateJpeg(jpeg_decompress_struct& info, TJpegError& error) {
    if (setjmp(error.Jump)) return false;
    jpeg_create_decompress(&info);
    return true;
}

bool ReadJpegHeader(jpeg_decompress_struct& info, TJpegError& error) {
    if (setjmp(error.Jump)) return false;
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) return false;
    // The arithmetic decoder fills data that ends early with zeros and no
    // warning, so a cut-short file would pass for a whole (and possibly
    // huge) picture: such files are refused.
    if (info.arith_code) return false;
    // Grey pictures are widened to RGB by the library; CMYK ones are not.
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) return false;
    info.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&info);
    return info.output_components == 3;
}

bool StartJpeg(jpeg_decompress_struct& info, TJpegError& error) {
    if (setjmp(error.Jump)) return false;
    jpeg_start_decompress(&info);
    return true;
}

bool ReadJpegRow(jpeg_decompress_struct& info, TJpegError& error, JSAMPROW row) {
    if (setjmp(error.Jump)) return false;
    return jpeg_read_scanlines(&info, &row, 1) == 1;
}

bool FinishJpeg(jpeg_decompress_struct& info, TJpegError& error) {
    if (setjmp(error.Jump)) return false;
    jpeg_finish_decompress(&info);
    return true;
}

// Rows one by one, each made as it is decoded.
bool ReadJpegPixels(jpeg_decompress_struct& info, TJpegError& error, TPixmap& pixmap) {
    if (!StartJpeg(info, error)) return false;
    for (int32_t y = 0; y < pixmap.Height; ++y)
        if (!ReadJpegRow(info, error, AddRow(pixmap, y))) return false;
    return FinishJpeg(info, error);
}

}  // namespace

PixmapRef LoadJpegPixmap(TStream& stream) {
    uint8_t start[2];
    if (stream.Read(start, 2) != 2 || start[0] != 0xFF || start[1] != 0xD8) return nullptr;
    if (!stream.Seek(stream.Position() - 2)) return nullptr;

    jpeg_decompress_struct info;
    TJpegError error;
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = JpegErrorExit;
    error.Manager.emit_message = JpegEmitMessage;
    error.Manager.output_message = JpegOutputMessage;
    if (!CreateJpeg(info, error)) return nullptr;

    TJpegSource source{};
    source.Stream = &stream;
    source.Manager.init_source = JpegInitSource;
    source.Manager.fill_input_buffer = JpegFillInput;
    source.Manager.skip_input_data = JpegSkipInput;
    source.Manager.resync_to_restart = jpeg_resync_to_restart;
    source.Manager.term_source = JpegTermSource;
    info.src = &source.Manager;

    PixmapRef pixmap;
    if (ReadJpegHeader(info, error) && info.output_width > 0 && info.output_height > 0 &&
        info.output_width <= MaxPictureSide && info.output_height <= MaxPictureSide) {
        pixmap = CreateGrowingPixmap(static_cast<int32_t>(info.output_width), static_cast<int32_t>(info.output_height),
                                     PixelFormatRGB888);
        if (!ReadJpegPixels(info, error, *pixmap)) pixmap.reset();
    }
    jpeg_destroy_decompress(&info);
    return pixmap;
}

}  // namespace tuublark
