// The offscreen target the game's picture is drawn into at its own size
// (800 x 600), then scaled into the window with its aspect kept. Lines,
// glow and every other drawing look the same at any window size.
//
// Needs framebuffer objects with blitting (OpenGL 3.0, or the ARB or EXT
// extensions); without them the driver draws straight into the window.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>
#include <functional>

#include "engine/platform/gl_context.h"

namespace tuublark {

class TGLOffscreen {
public:
    // Makes a width x height target in the current context and binds it;
    // false (nothing made) when the context cannot. `lookUp` finds GL
    // functions by name.
    bool Create(int32_t width, int32_t height, const std::function<void*(const char*)>& lookUp);
    // Forgets the target; its context is gone or about to go.
    void Forget() { framebuffer_ = renderbuffer_ = 0; }
    bool Active() const { return framebuffer_ != 0; }

    // Clears the window's back buffer to black and draws the target into
    // `picture` (drawable pixels, origin at the bottom left); drawing goes
    // to the target again afterwards.
    void PresentInto(const TPictureRect& picture);
    // Reads from (true) or stops reading from the window's back buffer.
    void ReadWindow(bool window);

private:
    int32_t width_ = 0, height_ = 0;
    unsigned framebuffer_ = 0, renderbuffer_ = 0;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer_ = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blit_ = nullptr;
};

}  // namespace tuublark
