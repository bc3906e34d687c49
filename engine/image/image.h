// Images: pictures turned into drawable frames by the render driver.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/image/pixmap.h"

namespace tuublark {

enum ImageFlag : int32_t {
    ImageFlagDynamic = 1,
    ImageFlagFiltered = 2,
    ImageFlagMasked = 4,
};

class TImageFrame {
public:
    virtual ~TImageFrame() = default;
    float U0 = 0, V0 = 0, U1 = 1, V1 = 1;
    // One quad with corners (x0, y0)-(x1, y1) through the current transform,
    // translated by (tx, ty).
    virtual void Draw(float x0, float y0, float x1, float y1, float tx, float ty) = 0;
    // Direct pixel access; frames held by the graphics card refuse it.
    virtual void Lock() {}
    virtual void Unlock() {}
};

class TImage {
public:
    int32_t Width = 0, Height = 0, Flags = 0;
    float HandleX = 0, HandleY = 0;
    std::vector<std::shared_ptr<TImageFrame>> Frames;
    std::vector<PixmapRef> Pixmaps;
};

using ImageRef = std::shared_ptr<TImage>;

// Null when the file is missing or no loader reads it. Flags -1 means the
// default flags.
ImageRef LoadImage(const std::string& path, int32_t flags = -1);
ImageRef LoadImage(const PixmapRef& pixmap, int32_t flags = -1);
// Image loading with an explicit mask colour (fonts use 0, 0, 0).
ImageRef LoadImageWithMask(PixmapRef pixmap, int32_t r, int32_t g, int32_t b, int32_t flags);

void SetImageHandle(const ImageRef& image, float x, float y);
void MidHandleImage(const ImageRef& image);

}  // namespace tuublark
