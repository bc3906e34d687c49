#include "engine/platform/sdl_window.h"
#ifdef __EMSCRIPTEN__
#include "engine/platform/web_page.h"
#endif

#include <SDL_syswm.h>
#ifdef SDL_VIDEO_DRIVER_X11
#include <X11/Xlib.h>
#endif

#include <algorithm>
#include <set>
#include <tuple>

namespace tuublark {

std::vector<TGraphicsMode> TSdlWindow::EnumerateModes() {
    std::vector<TGraphicsMode> modes;
    int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count && modes.size() < 256; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0) continue;
        int depth = static_cast<int>(SDL_BITSPERPIXEL(mode.format));
        if (depth < 16) continue;
        modes.push_back({mode.w, mode.h, depth, mode.refresh_rate});
    }
    return modes;
}

bool TSdlWindow::OpenContext(int32_t width, int32_t height, int32_t depth, int32_t hertz, int32_t flags) {
    CloseContext();
    width_ = width;
    height_ = height;
    depth_ = depth;
    hertz_ = hertz;
    SDL_GL_ResetAttributes();  // nothing asked for by an earlier context stays
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, (flags & 2) ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    if (flags & 4) {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    } else {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    }
    bool fullScreen = (flags & 1) && !preferWindow_;
    Uint32 windowFlags = SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    int w, h;
    WindowSize(w, h);
    window_ = SDL_CreateWindow("TUUBLARK", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, windowFlags);
    if (!window_) return false;
    SDL_SetWindowMinimumSize(window_, width / 4, height / 4);
    context_ = SDL_GL_CreateContext(window_);
    if (!context_) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(window_, context_);
    SDL_GL_SetSwapInterval(0);
    if (fullScreen) EnterFullScreen();
    return true;
}

void TSdlWindow::WindowSize(int& w, int& h) const {
    w = width_;
    h = height_;
    if (windowWidth_ > 0 && windowHeight_ > 0) {
        w = windowWidth_;
        h = windowHeight_;
        return;
    }
    SDL_DisplayMode desktop;
    if (width_ <= 0 || height_ <= 0 || SDL_GetDesktopDisplayMode(0, &desktop) != 0) return;
    int scale = std::min(desktop.w * 9 / 10 / width_, desktop.h * 9 / 10 / height_);
    if (scale > 1) {
        w = width_ * scale;
        h = height_ * scale;
    }
}

bool TSdlWindow::EnterFullScreen() {
    // The game's own mode first: its size at the asked rate, then at any rate.
    SDL_DisplayMode found;
    int display = SDL_GetWindowDisplayIndex(window_);
    if (display < 0) display = 0;
    bool haveMode = false;
    int count = SDL_GetNumDisplayModes(display);
    for (int pass = 0; pass < 2 && !haveMode; ++pass) {
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode;
            if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
            if (mode.w != width_ || mode.h != height_ || SDL_BITSPERPIXEL(mode.format) < 16) continue;
            if (pass == 0 && hertz_ != 0 && mode.refresh_rate != hertz_) continue;
            found = mode;
            haveMode = true;
            break;
        }
    }
    if (haveMode && SDL_SetWindowDisplayMode(window_, &found) == 0 &&
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0)
        return true;
    // No such mode: full screen at the desktop's mode, picture scaled.
    return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

void TSdlWindow::ToggleFullScreen() {
    if (!window_) return;
    if (IsFullScreen()) {
        SDL_SetWindowFullscreen(window_, 0);
        int w, h;
        WindowSize(w, h);
        SDL_SetWindowSize(window_, w, h);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        EnterFullScreen();
    }
}

bool TSdlWindow::IsFullScreen() const {
    return window_ && (SDL_GetWindowFlags(window_) & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP));
}

bool TSdlWindow::IsMinimised() const { return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED); }

bool TSdlWindow::IsHidden() const { return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_HIDDEN); }

bool TSdlWindow::HasFocus() const { return window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_INPUT_FOCUS); }

bool TSdlWindow::Resized(int32_t& width, int32_t& height) const {
    const Uint32 notPlain =
        SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED;
    if (!window_ || (SDL_GetWindowFlags(window_) & notPlain)) return false;
    int w = 0, h = 0, openW = 0, openH = 0;
    SDL_GetWindowSize(window_, &w, &h);
    WindowSize(openW, openH);
    width = w;
    height = h;
    return w > 0 && h > 0 && (w != openW || h != openH);
}

void TSdlWindow::CloseContext() {
    if (context_) {
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }
    if (window_) {
        // Leaving full screen gives the desktop its own mode back.
        SDL_SetWindowFullscreen(window_, 0);
        SDL_DestroyWindow(window_);
        window_ = nullptr;
    }
}

void TSdlWindow::SwapBuffers() {
    if (window_ && context_) SDL_GL_SwapWindow(window_);
#ifdef __EMSCRIPTEN__
    NotifyFrameShown();
#endif
}

#ifdef __EMSCRIPTEN__
// The page shows a frame when it gives the browser control back; the
// frames are timed by the pacing, which waits for the browser's animation
// frames (web_page.h), so that the game keeps 60 frames a second whatever
// the display's rate.
bool TSdlWindow::SetSwapInterval(int32_t) { return false; }
#else
bool TSdlWindow::SetSwapInterval(int32_t interval) { return context_ && SDL_GL_SetSwapInterval(interval) == 0; }
#endif

// The drawable's real size. On X11 without a window manager a full-screen
// request is never carried out, while SDL already reports the display's
// size; the X server knows what the window really measures.
static void RealDrawableSize(SDL_Window* window, int& w, int& h) {
    SDL_GL_GetDrawableSize(window, &w, &h);
#ifdef SDL_VIDEO_DRIVER_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) {
            w = attributes.width;
            h = attributes.height;
        }
    }
#endif
}

void TSdlWindow::DrawableSize(int32_t& width, int32_t& height) const {
    width = height = 0;
    if (window_) RealDrawableSize(window_, width, height);
}

TPictureRect TSdlWindow::PictureRect() const {
    TPictureRect rect{0, 0, width_, height_};
    if (!window_) return rect;
    int w = 0, h = 0;
    RealDrawableSize(window_, w, h);
    if (w <= 0 || h <= 0 || width_ <= 0 || height_ <= 0) return rect;
    // Largest picture of the game's aspect that fits, centred.
    if (static_cast<int64_t>(w) * height_ > static_cast<int64_t>(h) * width_) {
        rect.Height = h;
        rect.Width = static_cast<int32_t>(static_cast<int64_t>(h) * width_ / height_);
    } else {
        rect.Width = w;
        rect.Height = static_cast<int32_t>(static_cast<int64_t>(w) * height_ / width_);
    }
    rect.X = (w - rect.Width) / 2;
    rect.Y = (h - rect.Height) / 2;
    return rect;
}

void TSdlWindow::SetPointerVisible(bool visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

}  // namespace tuublark
