#include "engine/platform/gl_render_driver.h"

#include <GL/gl.h>

#include <functional>
// Windows' OpenGL header stops at version 1.1.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

namespace tuublark {

TGLRenderDriver::TGLRenderDriver(std::unique_ptr<TGLContext> context) : context_(std::move(context)) {
    modes_ = context_->EnumerateModes();
}

TGLRenderDriver::~TGLRenderDriver() { CloseGraphics(); }

bool TGLRenderDriver::SetGraphicsMode(int32_t width, int32_t height, int32_t depth, int32_t hertz) {
    int32_t flags = depth != 0 ? 3 : 2;
    if (!context_->OpenContext(width, height, depth, hertz, flags)) return false;
    blend_ = 0;
    boundTexture_ = 0;
    texturing_ = 0;
    textureToken_ = std::make_shared<int>(0);  // textures of an earlier context are gone
    width_ = width;
    height_ = height;
    viewport_[0] = 0;
    viewport_[1] = 0;
    viewport_[2] = width;
    viewport_[3] = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_SCISSOR_TEST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    offscreen_.Create(width, height, [this](const char* name) { return context_->GetProcAddress(name); });
    ApplyPictureRect();
    WarmUp();
    for (int i = 0; i < 2; ++i) {
        glClear(GL_COLOR_BUFFER_BIT);
        context_->SwapBuffers();
    }
    return true;
}

void TGLRenderDriver::WarmUp() {
    // Software OpenGL builds its pixel and vertex code on the first draw in
    // each new state: a mipmapped and a plain texture, no texture, lines of
    // width 1 and more, points, in every blend mode. The game changes colour
    // and alpha between primitives, which gives the vertices a colour of
    // their own, another state again: each draw goes in twice, in two
    // colours. Drawn here, off the picture, so the first frames of the game
    // do not pay for it.
    GLuint textures[2];
    glGenTextures(2, textures);
    const uint8_t white[4 * 4 * 4] = {255};
    for (int filtered = 0; filtered < 2; ++filtered) {
        glBindTexture(GL_TEXTURE_2D, textures[filtered]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtered ? GL_LINEAR : GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filtered ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
        for (int level = 0, size = 4; size >= 1 && (filtered || level == 0); ++level, size /= 2)
            glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    }
    // Two primitives in a row, the colour changed between them.
    auto twice = [](GLenum primitive, const std::function<void()>& vertices) {
        for (int shade = 0; shade < 2; ++shade) {
            glColor4ub(255, 128, static_cast<GLubyte>(64 * shade), static_cast<GLubyte>(96 + 64 * shade));
            glBegin(primitive);
            vertices();
            glEnd();
        }
    };
    for (int32_t mode = 1; mode <= 5; ++mode) {
        SetBlend(mode);
        for (int kind = 0; kind < 3; ++kind) {  // plain texture, mipmapped texture, none
            if (kind < 2) {
                glEnable(GL_TEXTURE_2D);
                glBindTexture(GL_TEXTURE_2D, textures[kind]);
            }
            twice(GL_QUADS, [] {
                glTexCoord2f(0, 0), glVertex2f(-4, -4);
                glTexCoord2f(1, 0), glVertex2f(-1, -4);
                glTexCoord2f(1, 1), glVertex2f(-1, -1);
                glTexCoord2f(0, 1), glVertex2f(-4, -1);
            });
            glDisable(GL_TEXTURE_2D);
        }
        for (float width : {1.0f, 2.0f}) {
            glLineWidth(width);
            twice(GL_LINES, [] { glVertex2f(-4, -2), glVertex2f(-1, -2); });
        }
        glLineWidth(1.0f);
        twice(GL_POINTS, [] { glVertex2f(-2, -2); });
    }
    glFinish();
    glDeleteTextures(2, textures);
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor4ub(255, 255, 255, 255);
    SetBlend(0);
    blend_ = 0;
    boundTexture_ = 0;
    texturing_ = 0;
}

void TGLRenderDriver::CloseGraphics() {
    offscreen_.Forget();
    if (context_) context_->CloseContext();
}

void TGLRenderDriver::ApplyPictureRect() {
    picture_ = offscreen_.Active() ? TPictureRect{0, 0, width_, height_} : context_->PictureRect();
    glViewport(picture_.X, picture_.Y, picture_.Width, picture_.Height);
    SetViewport(viewport_[0], viewport_[1], viewport_[2], viewport_[3]);
}

void TGLRenderDriver::Flip() {
    if (!context_->HasContext()) return;
    if (offscreen_.Active()) {
        // The window's size is read at every frame: resizing needs nothing else.
        offscreen_.PresentInto(context_->PictureRect());
        context_->SwapBuffers();
        return;
    }
    context_->SwapBuffers();
    // The window may have been resized or switched to or from full screen.
    TPictureRect now = context_->PictureRect();
    if (now.X != picture_.X || now.Y != picture_.Y || now.Width != picture_.Width || now.Height != picture_.Height)
        ApplyPictureRect();
}

void TGLRenderDriver::SetPointerVisible(int32_t flag) { context_->SetPointerVisible(flag != 0); }

void TGLRenderDriver::SetClearColor(int32_t r, int32_t g, int32_t b) {
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 1.0f);
}

void TGLRenderDriver::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
    viewport_[0] = x;
    viewport_[1] = y;
    viewport_[2] = width;
    viewport_[3] = height;
    if (x == 0 && y == 0 && width == width_ && height == height_) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    // Game pixels to drawable pixels, y flipped for GL.
    double sx = width_ ? static_cast<double>(picture_.Width) / width_ : 1.0;
    double sy = height_ ? static_cast<double>(picture_.Height) / height_ : 1.0;
    glEnable(GL_SCISSOR_TEST);
    glScissor(picture_.X + static_cast<GLint>(x * sx), picture_.Y + static_cast<GLint>((height_ - y - height) * sy),
              static_cast<GLsizei>(width * sx), static_cast<GLsizei>(height * sy));
}

void TGLRenderDriver::Clear() {
    // The bars around a letterboxed picture are cleared too.
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    if (scissor) glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    if (scissor) glEnable(GL_SCISSOR_TEST);
}

bool TGLRenderDriver::SetSwapInterval(int32_t interval) { return context_->SetSwapInterval(interval); }

void TGLRenderDriver::BindTexture(uint32_t name) {
    if (boundTexture_ == name) return;
    glBindTexture(GL_TEXTURE_2D, name);
    boundTexture_ = name;
}

void TGLRenderDriver::EnableTexturing(bool on) {
    if (texturing_ == static_cast<int32_t>(on)) return;
    if (on) glEnable(GL_TEXTURE_2D);
    else glDisable(GL_TEXTURE_2D);
    texturing_ = on;
}

}  // namespace tuublark
