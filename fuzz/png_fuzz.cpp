// Fuzz target: PNG pictures, through LoadPixmap and through LoadPngPixmap alone.
#include "fuzz/pixmap_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return tuublark::FuzzPixmapLoader(data, size, tuublark::LoadPngPixmap);
}
