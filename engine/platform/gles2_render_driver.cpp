#include "engine/platform/gles2_render_driver.h"

#include <cstdio>

namespace tuublark {

TGles2RenderDriver::TGles2RenderDriver(std::unique_ptr<TGLContext> context) : context_(std::move(context)) {
    modes_ = context_->EnumerateModes();
}

TGles2RenderDriver::~TGles2RenderDriver() { CloseGraphics(); }

bool TGles2RenderDriver::SetGraphicsMode(int32_t width, int32_t height, int32_t depth, int32_t hertz) {
    CloseGraphics();
    // Bit 2 asks the window system for an OpenGL ES 2.0 context.
    int32_t flags = (depth != 0 ? 3 : 2) | 4;
    if (!context_->OpenContext(width, height, depth, hertz, flags)) return false;
    textureToken_ = std::make_shared<int>(0);  // textures of an earlier context are gone
    width_ = width;
    height_ = height;
    viewport_[0] = viewport_[1] = 0;
    viewport_[2] = width;
    viewport_[3] = height;
    scissor_ = false;
    const char* missing = nullptr;
    std::string error;
    if (!gl_.Load([this](const char* name) { return context_->GetProcAddress(name); }, missing)) {
        error = std::string("the context has no ") + missing;
    } else if (program_.Build(gl_, error) && CreateTarget(error)) {
        batch_.Create(gl_);
        gl_.Disable(GL_DEPTH_TEST);
        gl_.Disable(GL_CULL_FACE);
        gl_.Disable(GL_SCISSOR_TEST);
        blend_ = 0;
        ApplyBlend();
        BindTarget();
        WarmUp();
        for (int i = 0; i < 2; ++i) {
            gl_.Clear(GL_COLOR_BUFFER_BIT);
            PresentPicture();
            context_->SwapBuffers();
        }
        return true;
    }
    std::fprintf(stderr, "tuublark: OpenGL ES 2.0: %s\n", error.c_str());
    CloseGraphics();
    return false;
}

bool TGles2RenderDriver::CreateTarget(std::string& error) {
    gl_.GenTextures(1, &target_);
    gl_.BindTexture(GL_TEXTURE_2D, target_);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    gl_.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width_, height_, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    gl_.BindTexture(GL_TEXTURE_2D, 0);
    gl_.GenFramebuffers(1, &framebuffer_);
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl_.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, target_, 0);
    if (gl_.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE && gl_.GetError() == GL_NO_ERROR)
        return true;
    error = "cannot draw into a " + std::to_string(width_) + "x" + std::to_string(height_) + " texture";
    return false;
}

void TGles2RenderDriver::CloseGraphics() {
    batch_.Forget();
    program_.Forget();
    target_ = framebuffer_ = 0;
    if (context_) context_->CloseContext();
}

void TGles2RenderDriver::BindTarget() {
    gl_.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl_.Viewport(0, 0, width_, height_);
    program_.SetTarget(gl_, width_, height_);
}

void TGles2RenderDriver::Flush() {
    if (batch_.Flush(gl_)) ++drawCalls_;
}

void TGles2RenderDriver::WarmUp() {
    // Software OpenGL builds its pixel code on the first draw in each new
    // state: a plain, a mipmapped and a smoothed texture (the last is how a
    // scaled picture is shown), in every blend mode. Drawn here, off the
    // picture, so the first frames of the game do not pay for it.
    GLuint textures[3];
    gl_.GenTextures(3, textures);
    const uint8_t white[4 * 4 * 4] = {255};
    const GLint filters[3][2] = {
        {GL_NEAREST, GL_NEAREST}, {GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR}, {GL_LINEAR, GL_LINEAR}};
    for (int kind = 0; kind < 3; ++kind) {
        gl_.BindTexture(GL_TEXTURE_2D, textures[kind]);
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters[kind][0]);
        gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filters[kind][1]);
        for (int level = 0, size = 4; size >= 1 && (kind == 1 || level == 0); ++level, size /= 2)
            gl_.TexImage2D(GL_TEXTURE_2D, level, GL_RGBA, size, size, 0, GL_RGBA, GL_UNSIGNED_BYTE, white);
    }
    const float xy[8] = {-4, -4, -1, -4, -1, -1, -4, -1};
    const float uv[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    for (int32_t mode = 0; mode <= 5; ++mode) {
        SetBlend(mode);
        for (GLuint texture : {textures[0], textures[1], textures[2], 0u}) {
            DrawQuad(xy, uv, texture);
            Flush();
        }
    }
    SetBlend(0);
    gl_.Finish();
    gl_.BindTexture(GL_TEXTURE_2D, 0);
    gl_.DeleteTextures(3, textures);
    drawCalls_ = 0;
}

void TGles2RenderDriver::PresentPicture() {
    Flush();
    int32_t w = 0, h = 0;
    context_->DrawableSize(w, h);
    TPictureRect r = context_->PictureRect();
    gl_.BindFramebuffer(GL_FRAMEBUFFER, 0);
    if (w <= 0 || h <= 0) w = r.X + r.Width, h = r.Y + r.Height;
    gl_.Viewport(0, 0, w, h);
    if (scissor_) gl_.Disable(GL_SCISSOR_TEST);
    if (blend_ != 0) gl_.Disable(GL_BLEND);
    program_.SetAlphaReference(gl_, 0.0f);
    gl_.ClearColor(0, 0, 0, 1);
    gl_.Clear(GL_COLOR_BUFFER_BIT);  // the bars
    // Whole multiples stay sharp; other sizes are smoothed.
    bool whole = r.Width % width_ == 0 && r.Height % height_ == 0;
    gl_.BindTexture(GL_TEXTURE_2D, target_);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, whole ? GL_NEAREST : GL_LINEAR);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, whole ? GL_NEAREST : GL_LINEAR);
    program_.SetTarget(gl_, w, h);
    // The picture's rows are stored bottom first; the window is drawn top down.
    const float left = static_cast<float>(r.X), right = static_cast<float>(r.X + r.Width);
    const float top = static_cast<float>(h - r.Y - r.Height), bottom = static_cast<float>(h - r.Y);
    const float xy[8] = {left, top, right, top, right, bottom, left, bottom};
    const float uv[8] = {0, 1, 1, 1, 1, 0, 0, 0};
    const uint8_t white[4] = {255, 255, 255, 255};
    batch_.AddQuad(xy, uv, white, target_);
    Flush();
    // The picture's texture stays unbound while it is drawn into.
    gl_.BindTexture(GL_TEXTURE_2D, 0);
    BindTarget();
    gl_.ClearColor(clear_[0], clear_[1], clear_[2], 1.0f);
    ApplyBlend();
    if (scissor_) gl_.Enable(GL_SCISSOR_TEST);
}

void TGles2RenderDriver::Flip() {
    if (!HasContext() || !framebuffer_) return;
    // The window's size is read at every frame: resizing needs nothing else.
    PresentPicture();
    context_->SwapBuffers();
}

void TGles2RenderDriver::SetPointerVisible(int32_t flag) { context_->SetPointerVisible(flag != 0); }

void TGles2RenderDriver::SetClearColor(int32_t r, int32_t g, int32_t b) {
    // Only Clear uses it, and Clear draws the batch first.
    clear_[0] = r / 255.0f;
    clear_[1] = g / 255.0f;
    clear_[2] = b / 255.0f;
    if (framebuffer_) gl_.ClearColor(clear_[0], clear_[1], clear_[2], 1.0f);
}

void TGles2RenderDriver::SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
    const bool whole = x == 0 && y == 0 && width == width_ && height == height_;
    if (whole == !scissor_ &&
        (whole || (x == viewport_[0] && y == viewport_[1] && width == viewport_[2] && height == viewport_[3]))) {
        return;  // nothing changes: the batch goes on
    }
    viewport_[0] = x;
    viewport_[1] = y;
    viewport_[2] = width;
    viewport_[3] = height;
    if (!framebuffer_) {
        scissor_ = !whole;
        return;
    }
    Flush();
    scissor_ = !whole;
    if (whole) {
        gl_.Disable(GL_SCISSOR_TEST);
        return;
    }
    // The picture is drawn at its own size: game pixels, y flipped for GL.
    gl_.Enable(GL_SCISSOR_TEST);
    gl_.Scissor(x, height_ - y - height, width, height);
}

void TGles2RenderDriver::Clear() {
    if (!framebuffer_) return;
    Flush();
    if (scissor_) gl_.Disable(GL_SCISSOR_TEST);
    gl_.Clear(GL_COLOR_BUFFER_BIT);
    if (scissor_) gl_.Enable(GL_SCISSOR_TEST);
}

bool TGles2RenderDriver::SetSwapInterval(int32_t interval) { return context_->SetSwapInterval(interval); }

void TGles2RenderDriver::SetBlend(int32_t mode) {
    if (blend_ == mode) return;
    if (framebuffer_) Flush();
    blend_ = mode;
    if (framebuffer_) ApplyBlend();
}

void TGles2RenderDriver::ApplyBlend() {
    float alphaReference = 0.0f;
    switch (blend_) {
        case 1:  // masked: what the alpha test keeps, unblended
            gl_.Disable(GL_BLEND);
            alphaReference = 0.5f;
            break;
        case 3:  // alpha
            gl_.Enable(GL_BLEND);
            gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case 4:  // additive
            gl_.Enable(GL_BLEND);
            gl_.BlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case 5:  // multiply
            gl_.Enable(GL_BLEND);
            gl_.BlendFunc(GL_DST_COLOR, GL_ZERO);
            break;
        default:  // solid, and any unknown mode
            gl_.Disable(GL_BLEND);
            break;
    }
    program_.SetAlphaReference(gl_, alphaReference);
}

}  // namespace tuublark
