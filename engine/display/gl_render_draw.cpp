// Drawing operations of the OpenGL render driver.
#include <GL/gl.h>

#include <algorithm>

#include "engine/display/gl_render_driver.h"
#include "engine/image/image.h"
#include "engine/image/pixmap.h"

namespace tuublark {
namespace {

class TGLImageFrame : public TImageFrame {
public:
    TGLImageFrame(TGLRenderDriver& driver, uint32_t texture) : driver_(driver), texture_(texture) {}
    ~TGLImageFrame() override { glDeleteTextures(1, &texture_); }

    void Draw(float x0, float y0, float x1, float y1, float tx, float ty) override {
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

private:
    TGLRenderDriver& driver_;
    uint32_t texture_;
};

int32_t NextPowerOfTwo(int32_t n) {
    int32_t p = 1;
    while (p < n) p <<= 1;
    return p;
}

}  // namespace

void TGLRenderDriver::SetColor(int32_t r, int32_t g, int32_t b) {
    color_[0] = static_cast<uint8_t>(r);
    color_[1] = static_cast<uint8_t>(g);
    color_[2] = static_cast<uint8_t>(b);
    glColor4ub(color_[0], color_[1], color_[2], color_[3]);
}

void TGLRenderDriver::SetAlpha(float alpha) {
    color_[3] = static_cast<uint8_t>(alpha * 255.0f);
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
    float scale = width_ ? static_cast<float>(picture_.Width) / width_ : 1.0f;
    glLineWidth(width * scale);
}

void TGLRenderDriver::SetBlend(int32_t mode) {
    if (blend_ == mode) return;
    blend_ = mode;
    switch (mode) {
        case 1:
            glDisable(GL_BLEND);
            glEnable(GL_ALPHA_TEST);
            glAlphaFunc(GL_GEQUAL, 0.5f);
            break;
        case 3:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glDisable(GL_ALPHA_TEST);
            break;
        case 4:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            glDisable(GL_ALPHA_TEST);
            break;
        case 5:
            glEnable(GL_BLEND);
            glBlendFunc(GL_DST_COLOR, GL_ZERO);
            glDisable(GL_ALPHA_TEST);
            break;
        default:
            glDisable(GL_BLEND);
            glDisable(GL_ALPHA_TEST);
            break;
    }
}

void TGLRenderDriver::Plot(float x, float y) {
    EnableTexturing(false);
    glBegin(GL_POINTS);
    glVertex2f(x + 0.5f, y + 0.5f);
    glEnd();
}

void TGLRenderDriver::DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) {
    EnableTexturing(false);
    const float* m = transform_;
    glBegin(GL_LINES);
    glVertex2f(x0 * m[0] + y0 * m[1] + tx + 0.5f, x0 * m[2] + y0 * m[3] + ty + 0.5f);
    glVertex2f(x1 * m[0] + y1 * m[1] + tx + 0.5f, x1 * m[2] + y1 * m[3] + ty + 0.5f);
    glEnd();
}

ImageFrameRef TGLRenderDriver::CreateFrameFromPixmap(const PixmapRef& pixmap, int32_t flags) {
    if (!pixmap) return nullptr;
    int32_t tw = NextPowerOfTwo(pixmap->Width), th = NextPowerOfTwo(pixmap->Height);
    PixmapRef rgba = CreatePixmap(tw, th, PixelFormatRGBA8888);
    PixmapRef source = pixmap->Format == PixelFormatRGBA8888 ? pixmap : ConvertPixmap(*pixmap, PixelFormatRGBA8888);
    if (source) PastePixmap(*rgba, *source, 0, 0);
    GLuint texture = 0;
    glGenTextures(1, &texture);
    BindTexture(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    GLint filter = (flags & ImageFlagFiltered) ? GL_LINEAR : GL_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, rgba->Pitch / 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, tw, th, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba->Pixels());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    auto frame = std::make_shared<TGLImageFrame>(*this, texture);
    frame->U1 = static_cast<float>(pixmap->Width) / tw;
    frame->V1 = static_cast<float>(pixmap->Height) / th;
    return frame;
}

PixmapRef TGLRenderDriver::GrabPixmap(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!context_->HasContext() || width <= 0 || height <= 0) return nullptr;
    // Read the picture's area of the back buffer, then scale it to game pixels.
    TPictureRect r = picture_;
    PixmapRef raw = CreatePixmap(r.Width, r.Height, PixelFormatRGBA8888);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ROW_LENGTH, raw->Pitch / 4);
    glReadPixels(r.X, r.Y, r.Width, r.Height, GL_RGBA, GL_UNSIGNED_BYTE, raw->Pixels());
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    PixmapRef flipped = CreatePixmap(r.Width, r.Height, PixelFormatRGBA8888);
    for (int32_t row = 0; row < r.Height; ++row)
        std::copy_n(raw->Row(r.Height - 1 - row), r.Width * 4, flipped->Row(row));
    for (int32_t row = 0; row < r.Height; ++row)
        for (int32_t col = 0; col < r.Width; ++col) flipped->Row(row)[col * 4 + 3] = 255;
    PixmapRef picture = (r.Width == width_ && r.Height == height_) ? flipped : ResizePixmap(*flipped, width_, height_);
    if (!picture) return nullptr;
    if (x == 0 && y == 0 && width == width_ && height == height_) return picture;
    return CopyPixmapWindow(*picture, x, y, width, height);
}

}  // namespace tuublark
