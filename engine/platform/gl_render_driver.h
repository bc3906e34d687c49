// The OpenGL 1.1 render driver: orthographic pixel coordinates, a state
// cache that issues no GL call for a state already set, and textured quads.
#pragma once

#include <memory>

#include "engine/platform/gl_context.h"
#include "engine/platform/gl_offscreen.h"
#include "engine/display/render_driver.h"

namespace tuublark {

class TGLRenderDriver : public TRenderDriver {
public:
    explicit TGLRenderDriver(std::unique_ptr<TGLContext> context);
    ~TGLRenderDriver() override;

    bool SetGraphicsMode(int32_t width, int32_t height, int32_t depth, int32_t hertz) override;
    void CloseGraphics() override;
    void Flip() override;
    void SetPointerVisible(int32_t flag) override;
    void SetClearColor(int32_t r, int32_t g, int32_t b) override;
    void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Clear() override;
    bool SetSwapInterval(int32_t interval) override;
    bool Presents() const override { return true; }

    void SetColor(int32_t r, int32_t g, int32_t b) override;
    void SetAlpha(float alpha) override;
    void SetTransform(float ix, float iy, float jx, float jy) override;
    void SetLineWidth(float width) override;
    void SetBlend(int32_t mode) override;
    void Plot(float x, float y) override;
    void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override;
    ImageFrameRef CreateFrameFromPixmap(const PixmapRef& pixmap, int32_t flags) override;
    PixmapRef GrabPixmap(int32_t x, int32_t y, int32_t width, int32_t height) override;

    // State cache; a cached value always equals the GL state.
    void BindTexture(uint32_t name);
    void EnableTexturing(bool on);
    // A deleted texture that was bound leaves GL with texture 0 bound.
    void ForgetTexture(uint32_t name);
    const float* Transform() const { return transform_; }
    // Textures belong to the context they were made in; this token is
    // replaced whenever a new context is opened.
    std::weak_ptr<int> TextureToken() const { return textureToken_; }
    bool HasContext() const { return context_ && context_->HasContext(); }
    // The whole window as the next Flip shows it, bars included; null
    // without an offscreen target. For tests and screenshots of the window.
    PixmapRef GrabWindow() override;
    bool DrawsOffscreen() const { return offscreen_.Active(); }

private:
    // Maps the game's picture onto the drawable (letterboxing).
    void ApplyPictureRect();
    // Draws once in every state the game uses, outside the picture.
    void WarmUp();

    std::unique_ptr<TGLContext> context_;
    int32_t width_ = 0, height_ = 0;
    int32_t blend_ = 0;
    uint32_t boundTexture_ = 0;
    int32_t texturing_ = 0;
    uint8_t color_[4] = {255, 255, 255, 255};
    float transform_[4] = {1, 0, 0, 1};
    float lineWidth_ = 1;
    int32_t viewport_[4] = {0, 0, 0, 0};
    // Where the game's picture is drawn: the offscreen target's whole
    // area, or without one the letterboxed part of the window.
    TPictureRect picture_;
    TGLOffscreen offscreen_;
    std::shared_ptr<int> textureToken_ = std::make_shared<int>(0);
};

}  // namespace tuublark
