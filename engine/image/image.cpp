#include "engine/image/image.h"

#include <mutex>

#include "engine/display/render_driver.h"
#include "engine/engine.h"
#include "engine/image/draw.h"

namespace tuublark {

ImageRef LoadImageWithMask(PixmapRef pixmap, int32_t r, int32_t g, int32_t b, int32_t flags) {
    if (!pixmap) return nullptr;
    // The masked copy replaces the source, which goes unless a caller keeps it.
    if ((flags & ImageFlagMasked) && AlphaBits(pixmap->Format) == 0) pixmap = MaskPixmap(*pixmap, r, g, b);
    if (!pixmap) return nullptr;
    auto image = std::make_shared<TImage>();
    image->Width = pixmap->Width;
    image->Height = pixmap->Height;
    image->Flags = flags;
    image->Frames.push_back(RenderDriver().CreateFrameFromPixmap(pixmap, flags));
    image->Pixmaps.push_back(pixmap);
    return image;
}

namespace {

ImageRef LoadImageTaking(PixmapRef pixmap, int32_t flags) {
    if (flags == -1) flags = DrawState().DefaultFlags;
    const TDrawState& s = DrawState();
    ImageRef image = LoadImageWithMask(std::move(pixmap), s.MaskR, s.MaskG, s.MaskB, flags);
    if (image && s.AutoMidHandle) MidHandleImage(image);
    return image;
}

}  // namespace

ImageRef LoadImage(const PixmapRef& pixmap, int32_t flags) { return LoadImageTaking(pixmap, flags); }

ImageRef LoadImage(const std::string& path, int32_t flags) {
    // One picture file at a time is made in memory (see PictureLoading).
    std::lock_guard<std::mutex> hold(Engine().PictureLoading());
    PixmapRef pixmap = LoadPixmap(path);
    if (!pixmap) return nullptr;
    return LoadImageTaking(std::move(pixmap), flags);
}

void SetImageHandle(const ImageRef& image, float x, float y) {
    if (!image) return;
    image->HandleX = x;
    image->HandleY = y;
}

void MidHandleImage(const ImageRef& image) {
    if (!image) return;
    image->HandleX = image->Width * 0.5f;
    image->HandleY = image->Height * 0.5f;
}

}  // namespace tuublark
