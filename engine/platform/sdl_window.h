// The output window and its OpenGL context on SDL2.
//
// Full screen asks the display for the game's mode (with its refresh rate,
// then without); a display that lacks it gets a desktop-sized full-screen
// window with the picture scaled to fit and black bars. Alt+Enter switches
// between full screen and a window.
#pragma once

#include <SDL.h>

#include "engine/platform/gl_context.h"

namespace tuublark {

class TSdlWindow : public TGLContext {
public:
    // A window of `windowWidth` x `windowHeight`, or 0 x 0 for the largest
    // whole multiple of the picture that fits 90% of the desktop.
    TSdlWindow(bool startWindowed, int32_t windowWidth, int32_t windowHeight)
        : preferWindow_(startWindowed), windowWidth_(windowWidth), windowHeight_(windowHeight) {}
    ~TSdlWindow() override { CloseContext(); }

    bool OpenContext(int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags) override;
    void CloseContext() override;
    bool HasContext() const override { return context_ != nullptr; }
    void SwapBuffers() override;
    bool SetSwapInterval(int32_t interval) override;
    TPictureRect PictureRect() const override;
    std::vector<TGraphicsMode> EnumerateModes() override;
    void SetPointerVisible(bool visible) override;
    void DrawableSize(int32_t& width, int32_t& height) const override;
    void* GetProcAddress(const char* name) const override { return SDL_GL_GetProcAddress(name); }

    void ToggleFullScreen();
    bool IsFullScreen() const;
    bool IsMinimised() const;
    // A page in a tab the browser does not show.
    bool IsHidden() const;
    bool HasFocus() const;
    // True while a plain window (neither full screen, minimised nor
    // maximised) measures other than the size it opens at; `width` x
    // `height` is then its inner size in points.
    bool Resized(int32_t& width, int32_t& height) const;
    uint32_t WindowId() const { return window_ ? SDL_GetWindowID(window_) : 0; }

private:
    bool EnterFullScreen();
    // The size a window opens at (see the constructor).
    void WindowSize(int& w, int& h) const;

    SDL_Window* window_ = nullptr;
    SDL_GLContext context_ = nullptr;
    int32_t width_ = 0, height_ = 0, depth_ = 0, hertz_ = 0;
    bool preferWindow_;
    int32_t windowWidth_, windowHeight_;
};

}  // namespace tuublark
