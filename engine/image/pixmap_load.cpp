// LoadPixmap: every loader in turn, the most recently registered first.
#include "engine/image/pixmap.h"
#include "engine/image/pixmap_loaders.h"
#include "engine/runtime/stream.h"

namespace tuublark {
namespace {

using TPixmapLoader = PixmapRef (*)(TStream&);

// Registration order; trials run from the end.
const TPixmapLoader RegisteredLoaders[] = {LoadBmpPixmap, LoadJpegPixmap, LoadPngPixmap, LoadTgaPixmap};

}  // namespace

PixmapRef CreateGrowingPixmap(int32_t width, int32_t height, int32_t format) {
    PixmapRef pixmap = CreatePixmap(width, 0, format);
    if (!pixmap) return nullptr;
    pixmap->Height = height;
    // Room for every row, so a row is never copied as the data grows. The
    // memory is only reserved: a page is used once a row written there
    // reaches it, so a header that promises more than the file holds costs
    // address space, not memory.
    pixmap->Data.reserve(static_cast<size_t>(pixmap->Pitch) * static_cast<size_t>(height));
    return pixmap;
}

uint8_t* AddRow(TPixmap& pixmap, int32_t y) {
    const size_t needed = static_cast<size_t>(y + 1) * static_cast<size_t>(pixmap.Pitch);
    if (pixmap.Data.size() < needed) pixmap.Data.resize(needed, 0);
    return pixmap.Row(y);
}

int64_t BytesLeft(const TStream& stream) {
    int64_t left = stream.Size() - stream.Position();
    return left > 0 ? left : 0;
}

PixmapRef LoadPixmap(TStream& stream) {
    int64_t start = stream.Position();
    if (start < 0) return nullptr;
    constexpr size_t count = sizeof(RegisteredLoaders) / sizeof(RegisteredLoaders[0]);
    for (size_t i = count; i-- > 0;) {
        if (!stream.Seek(start)) return nullptr;
        try {
            if (PixmapRef pixmap = RegisteredLoaders[i](stream)) return pixmap;
        } catch (const TStreamError&) {
            // Truncated data: this loader does not recognise it.
        } catch (const std::exception&) {
            // Memory refused (std::bad_alloc, std::length_error): the
            // picture cannot be read, whichever loader tries.
            return nullptr;
        }
    }
    return nullptr;
}

PixmapRef LoadPixmap(const std::string& path) {
    std::unique_ptr<TStream> stream = OpenStream(path);
    if (!stream) return nullptr;
    return LoadPixmap(*stream);
}

}  // namespace tuublark
