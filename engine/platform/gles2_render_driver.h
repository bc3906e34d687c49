// The OpenGL ES 2.0 render driver, the one a browser's WebGL 1 can run:
// one shader program, quads batched into a vertex buffer, lines drawn as
// quads of their width, and the game's picture drawn into a texture of its
// own size that each Flip scales into the window with its aspect kept. It
// draws the same pictures as the OpenGL 1.1 driver.
#pragma once

#include <memory>
#include <string>

#include "engine/display/render_driver.h"
#include "engine/platform/gl_context.h"
#include "engine/platform/gles2_batch.h"
#include "engine/platform/gles2_functions.h"
#include "engine/platform/gles2_program.h"

namespace tuublark {

class TGles2RenderDriver : public TRenderDriver {
public:
    // `context` must open OpenGL ES 2.0 contexts.
    explicit TGles2RenderDriver(std::unique_ptr<TGLContext> context);
    ~TGles2RenderDriver() override;

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

    // A quad of `texture` (0 for none) in the current colour; corners in
    // order around it, in game pixels after the transform.
    void DrawQuad(const float xy[8], const float uv[8], uint32_t texture);
    // A texture about to be deleted is drawn first if the batch holds it.
    void ReleaseTexture(uint32_t texture);
    const TGles2Functions& GL() const { return gl_; }
    const float* Transform() const { return transform_; }
    // Textures belong to the context they were made in; this token is
    // replaced whenever a new context is opened.
    std::weak_ptr<int> TextureToken() const { return textureToken_; }
    bool HasContext() const { return context_ && context_->HasContext(); }
    // Draw calls issued since the display opened (for tests and benchmarks).
    int64_t DrawCalls() const { return drawCalls_; }

private:
    bool CreateTarget(std::string& error);
    // Draws the batch gathered so far.
    void Flush();
    // Draws the picture's texture into the window's back buffer, black
    // bars around it; drawing goes to the picture again afterwards.
    void PresentPicture();
    // Sets the GL state the game's drawing starts from in the target.
    void BindTarget();
    // Draws once in every state the game uses, outside the picture.
    void WarmUp();
    void ApplyBlend();

    std::unique_ptr<TGLContext> context_;
    TGles2Functions gl_;
    TGles2Program program_;
    TGles2Batch batch_;
    int32_t width_ = 0, height_ = 0;
    int32_t blend_ = 0;
    uint8_t color_[4] = {255, 255, 255, 255};
    float clear_[3] = {0, 0, 0};
    float transform_[4] = {1, 0, 0, 1};
    float lineWidth_ = 1;
    int32_t viewport_[4] = {0, 0, 0, 0};
    bool scissor_ = false;
    // The picture: a texture of the game's size and its framebuffer.
    GLuint target_ = 0, framebuffer_ = 0;
    int64_t drawCalls_ = 0;
    std::shared_ptr<int> textureToken_ = std::make_shared<int>(0);
};

}  // namespace tuublark
