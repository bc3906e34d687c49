// Drawing operations of the ES 2 render driver: image frames as textured
// quads, lines as quads of their width, points, and reading the picture
// back. Every primitive lands in the batch as the OpenGL 1.1 driver's
// rasteriser would fill it.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/platform/gles2_render_driver.h"
#include "engine/display/graphics.h"
#include "engine/image/image.h"
#include "engine/image/pixmap.h"
#include "engine/image/texture_layout.h"

namespace tuublark {
namespace {

class TGles2ImageFrame : public TImageFrame {
public:
    TGles2ImageFrame(TGles2RenderDriver& driver, GLuint texture)
        : driver_(driver), token_(driver.TextureToken()), texture_(texture) {}

    ~TGles2ImageFrame() override {
        // Nothing to delete once the driver or its context is gone.
        if (token_.expired() || !driver_.HasContext()) return;
        driver_.ReleaseTexture(texture_);
        driver_.GL().DeleteTextures(1, &texture_);
    }

    void Draw(float x0, float y0, float x1, float y1, float tx, float ty) override {
        if (token_.expired()) return;
        const float* m = driver_.Transform();
        float xy[8];
        const float corners[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
        for (int i = 0; i < 4; ++i) {
            float px = corners[2 * i], py = corners[2 * i + 1];
            xy[2 * i] = px * m[0] + py * m[1] + tx;
            xy[2 * i + 1] = px * m[2] + py * m[3] + ty;
        }
        const float uv[8] = {U0, V0, U1, V0, U1, V1, U0, V1};
        driver_.DrawQuad(xy, uv, texture_);
    }

    void Lock() override { RaiseRuntimeError("Image frame cannot be locked"); }
    void Unlock() override { RaiseRuntimeError("Image frame cannot be unlocked"); }

private:
    TGles2RenderDriver& driver_;
    std::weak_ptr<int> token_;
    GLuint texture_;
};

void UploadLevel(const TGles2Functions& gl, GLint level, const TPixmap& pixmap) {
    // ES 2 reads rows packed tightly, with no row length of their own.
    const int32_t rowBytes = pixmap.Width * 4;
    const uint8_t* pixels = pixmap.Pixels();
    std::vector<uint8_t> packed;
    if (pixmap.Pitch != rowBytes) {
        packed.resize(static_cast<size_t>(rowBytes) * pixmap.Height);
        for (int32_t row = 0; row < pixmap.Height; ++row)
            std::copy_n(pixmap.Row(row), rowBytes, packed.data() + static_cast<size_t>(row) * rowBytes);
        pixels = packed.data();
    }
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.TexImage2D(GL_TEXTURE_2D, level, GL_RGBA, pixmap.Width, pixmap.Height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

}  // namespace

void TGles2RenderDriver::ReleaseTexture(uint32_t texture) {
    if (batch_.Texture() == texture) Flush();
}

void TGles2RenderDriver::DrawQuad(const float xy[8], const float uv[8], uint32_t texture) {
    if (texture != 0 && batch_.Texture() != 0 && batch_.Texture() != texture) Flush();
    batch_.AddQuad(xy, uv, color_, texture);
}

void TGles2RenderDriver::SetColor(int32_t r, int32_t g, int32_t b) {
    color_[0] = static_cast<uint8_t>(std::clamp(r, 0, 255));
    color_[1] = static_cast<uint8_t>(std::clamp(g, 0, 255));
    color_[2] = static_cast<uint8_t>(std::clamp(b, 0, 255));
}

void TGles2RenderDriver::SetAlpha(float alpha) {
    color_[3] = static_cast<uint8_t>(std::clamp(alpha, 0.0f, 1.0f) * 255.0f);
}

void TGles2RenderDriver::SetTransform(float ix, float iy, float jx, float jy) {
    transform_[0] = ix;
    transform_[1] = iy;
    transform_[2] = jx;
    transform_[3] = jy;
}

void TGles2RenderDriver::SetLineWidth(float width) { lineWidth_ = width; }

// A point is the pixel whose centre lies within half a pixel of it.
void TGles2RenderDriver::Plot(float x, float y) {
    const float xy[8] = {x, y, x + 1, y, x + 1, y + 1, x, y + 1};
    const float uv[8] = {};
    DrawQuad(xy, uv, 0);
}

void TGles2RenderDriver::DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) {
    const float* m = transform_;
    // The ends as the OpenGL 1.1 driver places them: on pixel centres, y
    // just off them.
    const float cy = 0.5f - 1.0f / 128;
    float ax = x0 * m[0] + y0 * m[1] + tx + 0.5f, ay = x0 * m[2] + y0 * m[3] + ty + cy;
    float bx = x1 * m[0] + y1 * m[1] + tx + 0.5f, by = x1 * m[2] + y1 * m[3] + ty + cy;
    float dx = bx - ax, dy = by - ay;
    if (dx == 0 && dy == 0) return;
    // A line of width w covers w pixels across its minor axis at each step
    // of its major one, from its first pixel up to but not including its
    // last (whose centre it ends on): a parallelogram with ends across
    // the major axis, half a pixel back from each end point.
    const float half = lineWidth_ / 2;
    const float uv[8] = {};
    if (std::fabs(dx) >= std::fabs(dy)) {
        float back = dx > 0 ? 0.5f : -0.5f;
        ax -= back, bx -= back;
        const float xy[8] = {ax, ay - half, bx, by - half, bx, by + half, ax, ay + half};
        DrawQuad(xy, uv, 0);
    } else {
        float back = dy > 0 ? 0.5f : -0.5f;
        ay -= back, by -= back;
        const float xy[8] = {ax - half, ay, ax + half, ay, bx + half, by, bx - half, by};
        DrawQuad(xy, uv, 0);
    }
}

ImageFrameRef TGles2RenderDriver::CreateFrameFromPixmap(const PixmapRef& pixmap, int32_t flags) {
    if (!pixmap) return nullptr;
    // Without a context there is nothing to upload to: keep only the size.
    if (!HasContext() || !framebuffer_) return TRenderDriver::CreateFrameFromPixmap(pixmap, flags);
    GLint largest = 0;
    gl_.GetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    auto fits = [largest](int32_t w, int32_t h) { return w <= largest && h <= largest; };
    int32_t texWidth = 0, texHeight = 0;
    if (!CalculateTextureSize(pixmap->Width, pixmap->Height, fits, texWidth, texHeight))
        RaiseRuntimeError("Unable to calculate tex size");
    TTextureLayout layout = LayOutTexture(pixmap, texWidth, texHeight);

    GLuint texture = 0;
    gl_.GenTextures(1, &texture);
    gl_.BindTexture(GL_TEXTURE_2D, texture);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    bool filtered = (flags & ImageFlagFiltered) != 0;
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filtered ? GL_LINEAR : GL_NEAREST);
    gl_.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filtered ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST);
    UploadLevel(gl_, 0, *layout.Level0);
    if (filtered) {
        PixmapRef level = layout.Level0;
        for (GLint n = 1; level->Width > 1 || level->Height > 1; ++n) {
            level = NextMipmapLevel(*level);
            UploadLevel(gl_, n, *level);
        }
    }
    // The batch binds its own texture when it draws.
    gl_.BindTexture(GL_TEXTURE_2D, 0);
    auto frame = std::make_shared<TGles2ImageFrame>(*this, texture);
    frame->U0 = frame->V0 = 0.0f;
    frame->U1 = layout.U1;
    frame->V1 = layout.V1;
    return frame;
}

PixmapRef TGles2RenderDriver::GrabPixmap(int32_t x, int32_t y, int32_t width, int32_t height) {
    if (!HasContext() || !framebuffer_ || width <= 0 || height <= 0) return nullptr;
    Flush();
    // The picture's texture, bottom row first; ES 2 reads tightly packed RGBA.
    std::vector<uint8_t> raw(static_cast<size_t>(width_) * height_ * 4);
    gl_.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl_.ReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    PixmapRef picture = CreatePixmap(width_, height_, PixelFormatRGB888);
    for (int32_t row = 0; row < height_; ++row) {
        const uint8_t* in = raw.data() + static_cast<size_t>(height_ - 1 - row) * width_ * 4;
        uint8_t* out = picture->Row(row);
        for (int32_t col = 0; col < width_; ++col) std::copy_n(in + col * 4, 3, out + col * 3);
    }
    if (x == 0 && y == 0 && width == picture->Width && height == picture->Height) return picture;
    return CopyPixmapWindow(*picture, x, y, width, height);
}

}  // namespace tuublark
