// What the OpenGL render drivers need of the window system: a window with
// a current OpenGL context, buffer swaps, retrace control, and where the
// game's picture sits in the window.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/display/render_driver.h"

namespace tuublark {

// Where the width x height picture is shown in the drawable, in drawable
// pixels with the origin at the bottom left (OpenGL's convention).
struct TPictureRect {
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
};

class TGLContext {
public:
    virtual ~TGLContext() = default;
    // Opens the window and context (flags: bit 0 full screen, bit 1 double
    // buffer, bit 2 OpenGL ES 2.0 instead of OpenGL with its fixed
    // functions); closes any open one first. False when it cannot be made.
    virtual bool OpenContext(int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags) = 0;
    virtual void CloseContext() = 0;
    virtual bool HasContext() const = 0;
    virtual void SwapBuffers() = 0;
    // False when the display offers no swap-interval control.
    virtual bool SetSwapInterval(int32_t interval) = 0;
    // The game's picture inside the current drawable (letterboxed when the
    // window is not the picture's size).
    virtual TPictureRect PictureRect() const = 0;
    virtual std::vector<TGraphicsMode> EnumerateModes() = 0;
    virtual void SetPointerVisible(bool visible) = 0;
    // The drawable's size in pixels (more than the window's size in
    // points on a high-DPI display).
    virtual void DrawableSize(int32_t& width, int32_t& height) const = 0;
    // An OpenGL function of the current context by name; null when absent.
    virtual void* GetProcAddress(const char* name) const = 0;
};

}  // namespace tuublark
