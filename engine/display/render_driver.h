// The render driver: the table of operations every drawing call ends in.
//
// The base class is the headless driver: it keeps sizes and state and
// draws nothing. The OpenGL driver overrides every operation.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tuublark {

class TPixmap;
class TImageFrame;
using PixmapRef = std::shared_ptr<TPixmap>;
using ImageFrameRef = std::shared_ptr<TImageFrame>;

struct TGraphicsMode {
    int32_t Width, Height, Depth, Hertz;
};

class TRenderDriver {
public:
    virtual ~TRenderDriver() = default;

    // Display modes offered by the display (16 bits or more, at most 256),
    // filled when the driver is created.
    const std::vector<TGraphicsMode>& GraphicsModes() const { return modes_; }

    // Display: opening (false when it cannot be opened), closing,
    // presenting the back buffer, the mouse pointer.
    virtual bool SetGraphicsMode(int32_t width, int32_t height, int32_t depth, int32_t hertz);
    virtual void CloseGraphics() {}
    virtual void Flip() {}
    virtual void SetPointerVisible(int32_t flag) { (void)flag; }
    // Drawable frames; the headless driver's frames keep only sizes.
    virtual ImageFrameRef CreateFrame(int32_t width, int32_t height, int32_t flags);
    virtual ImageFrameRef CreateFrameFromPixmap(const PixmapRef& pixmap, int32_t flags);
    // Drawing state, kept until changed.
    virtual void SetBlend(int32_t mode) { (void)mode; }
    virtual void SetAlpha(float alpha) { (void)alpha; }
    virtual void SetColor(int32_t r, int32_t g, int32_t b) { (void)r, (void)g, (void)b; }
    virtual void SetClearColor(int32_t r, int32_t g, int32_t b) { (void)r, (void)g, (void)b; }
    virtual void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
        (void)x, (void)y, (void)width, (void)height;
    }
    virtual void SetTransform(float ix, float iy, float jx, float jy) { (void)ix, (void)iy, (void)jx, (void)jy; }
    virtual void SetLineWidth(float width) { (void)width; }
    // Clears the back buffer to the clear colour.
    virtual void Clear() {}
    // Primitives, in display pixels; tx, ty is the translation added after
    // the transform.
    virtual void Plot(float x, float y) { (void)x, (void)y; }
    virtual void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) {
        (void)x0, (void)y0, (void)x1, (void)y1, (void)tx, (void)ty;
    }
    virtual void DrawRect(float x0, float y0, float x1, float y1, float tx, float ty) {
        (void)x0, (void)y0, (void)x1, (void)y1, (void)tx, (void)ty;
    }
    virtual void DrawOval(float x0, float y0, float x1, float y1, float tx, float ty) {
        (void)x0, (void)y0, (void)x1, (void)y1, (void)tx, (void)ty;
    }
    virtual void DrawPoly(const std::vector<float>& points, float tx, float ty) { (void)points, (void)tx, (void)ty; }
    virtual void DrawPixmap(const PixmapRef& pixmap, int32_t x, int32_t y) { (void)pixmap, (void)x, (void)y; }
    // The presented picture in display coordinates; null when nothing is shown.
    virtual PixmapRef GrabPixmap(int32_t x, int32_t y, int32_t width, int32_t height);
    // The whole window as the player sees it, the scaled picture and its
    // bars; null when nothing is shown.
    virtual PixmapRef GrabWindow() { return nullptr; }

    // Swap-interval control (retrace synchronisation); false when the
    // display offers none.
    virtual bool SetSwapInterval(int32_t interval) {
        (void)interval;
        return false;
    }
    // False for drivers that present nothing and so need no pacing.
    virtual bool Presents() const { return false; }

protected:
    std::vector<TGraphicsMode> modes_;
};

// The current engine's render driver; the headless one until another is
// set (null sets it back).
TRenderDriver& RenderDriver();
void SetRenderDriver(std::unique_ptr<TRenderDriver> driver);

}  // namespace tuublark
