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
