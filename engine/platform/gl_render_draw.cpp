// Drawing operations of the OpenGL render driver: image frames as
// textured quads, lines, points, blend modes and reading the frame back.
#include <GL/gl.h>
// Windows' OpenGL header stops at version 1.1.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

#include <algorithm>

#include "engine/platform/gl_render_driver.h"
#include "engine/display/graphics.h"
#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/image/texture_layout.h"

namespace tuublark {
namespace {

class TGLImageFrame : public TImageFrame {
public:
    TGLImageFrame(TGLRenderDriver& driver, uint32_t texture)
        : driver_(driver), token_(driver.TextureToken()), texture_(texture) {}

    ~TGLImageFrame() override {
        // Nothing to delete once the driver or its context is gone.
        if (token_.expired() || !driver_.HasContext()) return;
        driver_.ForgetTexture(texture_);
        glDeleteTextures(1, &texture_);
    }

    void Draw(float x0, float y0, float x1, float y1, float tx, float ty) override {
        if (token_.expired()) return;
        driver_.EnableTexturing(true);
        driver_.BindTexture(texture_);
        const float* m = driver_.Transform();
        auto vertex = [&](float px, float py) { glVertex2f(px * m[0] + py * m[1] + tx, px * m[2] + py * m[3] + ty); };
        glBegin(GL_QUADS);
        glTexCoord2f(U0, V0);
        vertex(x0, y0);
        glTexCoord2f(U1, V0);
        vertex(x1, y0);
        glTexCoord2f(U1, V1);
        vertex(x1, y1);
        glTexCoord2f(U0, V1);
        vertex(x0, y1);
        glEnd();
    }

    void Lock() override { RaiseRuntimeError("Image frame cannot be locked"); }
    void Unlock() override { RaiseRuntimeError("Image frame cannot be unlocked"); }

private:
    TGLRenderDriver& driver_;
    std::weak_ptr<int> token_;
    GLuint texture_;
};

bool TextureFits(int32_t width, int32_t height) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    GLint got = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &got);
    return got != 0;
}

void UploadLevel(GLint level, const TPixmap& pixmap) {
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pixmap.Pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, pixmap.Width, pixmap.Height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 pixmap.Pixels());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

}  // namespace

void TGLRenderDriver::ForgetTexture(uint32_t name) {
    if (boundTexture_ == name) boundTexture_ = 0;
}

void TGLRenderDriver::SetColor(int32_t r, int32_t g, int32_t b) {
    color_[0] = static_cast<uint8_t>(std::clamp(r, 0, 255));
    color_[1] = static_cast<uint8_t>(std::clamp(g, 0, 255));
    color_[2] = static_cast<uint8_t>(std::clamp(b, 0, 255));
    glColor4ub(color_[0], color_[1], color_[2], color_[3]);
}

void TGLRenderDriver::SetAlpha(float alpha) {
    color_[3] = static_cast<uint8_t>(std::clamp(alpha, 0.0f, 1.0f) * 255.0f);
    glColor4ub(color_[0], color_[1], color_[2], color_[3]);
}

void TGLRenderDriver::SetTransform(float ix, float iy, float jx, float jy) {
    transform_[0] = ix;
    transform_[1] = iy;
    transform_[2] = jx;
    transform_[3] = jy;
}

void TGLRenderDriver::SetLineWidth(float width) {
    lineWidth_ = width;
    // Game pixels to drawable pixels when the picture is shown scaled.
    float scale = width_ ? static_cast<float>(picture_.Width) / width_ : 1.0f;
    glLineWidth(width * scale);
}

void TGLRenderDriver::SetBlend(int32_t mode) {
    if (blend_ == mode) return;
    blend_ = mode;
    switch (mode) {
        case 1:  // masked
            glDisable(GL_BLEND);
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GEQUAL, 0.5f);
            break;
        case 3:  // alpha
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDisable(GL_ALPHA_TEST);
            break;
        case 4:  // additive
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            glDisable(GL_ALPHA_TEST);
            break;
        case 5:  // multiply
            glEnable(GL_BLEND);
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
            glDisable(GL_ALPHA_TEST);
            break;
        default:  // solid, and any unknown mode
            glDisable(GL_BLEND);
            glDisable(GL_ALPHA_TEST);
            break;
    }
}

// Points and line ends sit on pixel centres.
void TGLRenderDriver::Plot(float x, float y) {
    EnableTexturing(false);
    glBegin(GL_POINTS);
    glVertex2f(x + 0.5f, y + 0.5f);
    glEnd();
}

void TGLRenderDriver::DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) {
    EnableTexturing(false);
    const float* m = transform_;
    // Just off the pixel centres, so that no tie is left to the rasteriser,
    // which breaks ties one way in the window and the other offscreen.
    const float cy = 0.5f - 1.0f / 128;
    glBegin(GL_LINES);
    glVertex2f(x0 * m[0] + y0 * m[1] + tx + 0.5f, x0 * m[2] + y0 * m[3] + ty + cy);
    glVertex2f(x1 * m[0] + y1 * m[1] + tx + 0.5f, x1 * m[2] + y1 * m[3] + ty + cy);
    glEnd();
}

ImageFrameRef TGLRenderDriver::CreateFrameFromPixmap(const PixmapRef& pixmap, int32_t flags) {
    if (!pixmap) return nullptr;
    // Without a context there is nothing to upload to: keep only the size.
    if (!HasContext()) return TRenderDriver::CreateFrameFromPixmap(pixmap, flags);
    int32_t texWidth = 0, texHeight = 0;
    if (!CalculateTextureSize(pixmap->Width, pixmap->Height, TextureFits, texWidth, texHeight))
        RaiseRuntimeError("Unable to calculate tex size");
    TTextureLayout layout = LayOutTexture(pixmap, texWidth, texHeight);

    GLuint texture = 0;
    glGenTextures(1, &texture);
    BindTexture(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    bool filtered = (flags & ImageFlagFiltered) != 0;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtered ? GL_LINEAR : GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filtered ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    UploadLevel(0, *layout.Level0);
    if (filtered) {
        PixmapRef level = layout.Level0;
        for (GLint n = 1; level->Width > 1 || level->Height > 1; ++n) {
            level = NextMipmapLevel(*level);
            UploadLevel(n, *level);
        }
    }
    auto frame = std::make_shared<TGLImageFrame>(*this, texture);
    frame->U0 = frame->V0 = 0.0f;
    frame->U1 = layout.U1;
    frame->V1 = layout.V1;
    return frame;
}

PixmapRef TGLRenderDriver::GrabWindow() {
    if (!HasContext() || !offscreen_.Active()) return nullptr;
    int32_t w = 0, h = 0;
    context_->DrawableSize(w, h);
    if (w <= 0 || h <= 0) return nullptr;
    offscreen_.PresentInto(context_->PictureRect());
    offscreen_.ReadWindow(true);
    PixmapRef raw = CreatePixmap(w, h, PixelFormatRGBA8888);
    glPixelStorei(GL_PACK_ROW_LENGTH, raw->Pitch / 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, raw->Pixels());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    offscreen_.ReadWindow(false);
    PixmapRef upright = CreatePixmap(w, h, PixelFormatRGB888);
    for (int32_t row = 0; row < h; ++row) {
        const uint8_t* in = raw->Row(h - 1 - row);
        uint8_t* out = upright->Row(row);
        for (int32_t col = 0; col < w; ++col) std::copy_n(in + col * 4, 3, out + col * 3);
    }
    return upright;
}

PixmapRef TGLRenderDriver::GrabPixmap(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!HasContext() || width <= 0 || height <= 0 || picture_.Width <= 0 || picture_.Height <= 0) return nullptr;
    // Read the picture's area of the back buffer, bottom row first.
    TPictureRect r = picture_;
    PixmapRef raw = CreatePixmap(r.Width, r.Height, PixelFormatRGBA8888);
    if (!offscreen_.Active()) glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ROW_LENGTH, raw->Pitch / 4);
    glReadPixels(r.X, r.Y, r.Width, r.Height, GL_RGBA, GL_UNSIGNED_BYTE, raw->Pixels());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    PixmapRef upright = CreatePixmap(r.Width, r.Height, PixelFormatRGB888);
    for (int32_t row = 0; row < r.Height; ++row) {
        const uint8_t* in = raw->Row(r.Height - 1 - row);
        uint8_t* out = upright->Row(row);
        for (int32_t col = 0; col < r.Width; ++col) std::copy_n(in + col * 4, 3, out + col * 3);
    }
    // A scaled picture is brought back to game pixels.
    PixmapRef picture = (r.Width == width_ && r.Height == height_) ? upright : ResizePixmap(*upright, width_, height_);
    if (!picture) return nullptr;
    if (x == 0 && y == 0 && width == picture->Width && height == picture->Height) return picture;
    return CopyPixmapWindow(*picture, x, y, width, height);
}

}  // namespace tuublark
