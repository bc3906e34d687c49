// The 2D drawing state and the drawing calls the game makes.
//
// Colour, alpha, blend mode, scale, rotation and origin persist from call
// to call and from frame to frame until changed.
#pragma once

#include <cstdint>

#include "engine/image/image.h"

namespace tuublark {

enum BlendMode : int32_t {
    BlendMasked = 1,
    BlendSolid = 2,
    BlendAlpha = 3,
    BlendAdditive = 4,
    BlendMultiply = 5,
};

struct TDrawState {
    int32_t Blend = 1;
    float Alpha = 1.0f;
    int32_t MaskR = 0, MaskG = 0, MaskB = 0;
    float OriginX = 0, OriginY = 0;
    float HandleX = 0, HandleY = 0;  // text handle, stored negated
    float Rotation = 0, ScaleX = 1, ScaleY = 1;
    float LineWidth = 1;
    int32_t AutoMidHandle = 0;
    int32_t DefaultFlags = 6;
};

TDrawState& DrawState();

// Everything a drawing call can change, kept aside so that drawing made
// outside the game's frames (its menus) leaves the game's state as it was.
struct TDrawingSnapshot {
    TDrawState State;
    uint8_t R = 255, G = 255, B = 255;
};
TDrawingSnapshot SaveDrawing();
void RestoreDrawing(const TDrawingSnapshot& snapshot);

// Back to the state OpenGraphics leaves: masked blending, white, alpha 1,
// no origin, no handle, whole-screen viewport, no rotation, scale 1.
void ResetDrawingState(int32_t width, int32_t height);

void SetBlendMode(int32_t mode);
void SetDrawColor(int32_t r, int32_t g, int32_t b);
void SetDrawAlpha(float alpha);
void SetScale(float sx, float sy);
void SetRotation(float degrees);
void SetRotationAndScale(float degrees, float sx, float sy);
void SetOrigin(float x, float y);
void SetTextHandle(float x, float y);
void SetLineWidth(float width);
void SetMaskColor(int32_t r, int32_t g, int32_t b);
void SetAutoMidHandle(int32_t flag);
void SetDefaultImageFlags(int32_t flags);

// Draws frame `frame` with its handle at (x, y); a null image draws nothing.
void DrawImage(const ImageRef& image, float x, float y, int32_t frame = 0);
void DrawLine(float x1, float y1, float x2, float y2, int32_t drawLastPixel = 1);

}  // namespace tuublark
