// tuublark_imagediff: compares two pictures of the same size pixel by
// pixel, for screenshots made on different systems.
//
//   tuublark_imagediff <a.png> <b.png> <tolerance>
//
// Prints the largest difference of any colour channel and how many pixels
// differ by more than `tolerance` (0-255) in some channel. Exit status 0
// when none does, 1 when some do, 2 when a picture cannot be read or the
// sizes differ.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/image/pixmap.h"

int main(int argc, char** argv) {
    using namespace tuublark;
    char* end = nullptr;
    long tolerance = argc == 4 ? std::strtol(argv[3], &end, 10) : -1;
    if (argc != 4 || *end != '\0' || tolerance < 0 || tolerance > 255) {
        std::fprintf(stderr, "usage: tuublark_imagediff <a.png> <b.png> <tolerance 0-255>\n");
        return 2;
    }
    PixmapRef pictures[2];
    for (int i = 0; i < 2; ++i) {
        PixmapRef loaded = LoadPixmap(argv[1 + i]);
        if (loaded) pictures[i] = ConvertPixmap(*loaded, PixelFormatRGB888);
        if (!pictures[i]) {
            std::fprintf(stderr, "tuublark_imagediff: %s: cannot read the picture\n", argv[1 + i]);
            return 2;
        }
    }
    const TPixmap &a = *pictures[0], &b = *pictures[1];
    if (a.Width != b.Width || a.Height != b.Height) {
        std::fprintf(stderr, "tuublark_imagediff: sizes differ: %dx%d and %dx%d\n", a.Width, a.Height, b.Width,
                     b.Height);
        return 2;
    }
    int largest = 0;
    long over = 0;
    for (int32_t y = 0; y < a.Height; ++y) {
        const uint8_t *rowA = a.Row(y), *rowB = b.Row(y);
        for (int32_t x = 0; x < a.Width; ++x) {
            int pixel = 0;
            for (int c = 0; c < 3; ++c) pixel = std::max(pixel, std::abs(rowA[3 * x + c] - rowB[3 * x + c]));
            largest = std::max(largest, pixel);
            if (pixel > tolerance) ++over;
        }
    }
    std::printf("largest channel difference %d; %ld of %ld pixels differ by more than %ld\n", largest, over,
                static_cast<long>(a.Width) * a.Height, tolerance);
    return over == 0 ? 0 : 1;
}
