#include "engine/image/draw.h"

#include <algorithm>
#include <cmath>

#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/engine.h"

namespace tuublark {

TDrawState& DrawState() { return Engine().Draw(); }

static void IssueTransform() {
    TDrawState& s = DrawState();
    TGraphicsState& g = Graphics();
    // Unrotated drawing, nearly all of it, needs no cosine and sine: 1 and 0
    // are what they give for 0 exactly.
    float c = 1.0f, sn = 0.0f;
    if (s.Rotation != 0.0f) {
        double radians = s.Rotation * 3.14159265358979323846 / 180.0;
        c = static_cast<float>(std::cos(radians));
        sn = static_cast<float>(std::sin(radians));
    }
    g.Ix = c * s.ScaleX;
    g.Iy = -sn * s.ScaleY;
    g.Jx = sn * s.ScaleX;
    g.Jy = c * s.ScaleY;
    RenderDriver().SetTransform(g.Ix, g.Iy, g.Jx, g.Jy);
}

void ResetDrawingState(int32_t width, int32_t height) {
    TDrawState& s = DrawState();
    s = TDrawState{};
    s.Blend = 0;  // forces the first SetBlendMode through
    SetBlendMode(BlendMasked);
    SetDrawColor(255, 255, 255);
    SetClearColor(0, 0, 0);
    SetMaskColor(0, 0, 0);
    SetDrawAlpha(1.0f);
    SetOrigin(0, 0);
    SetTextHandle(0, 0);
    SetViewport(0, 0, width, height);
    SetRotationAndScale(0, 1, 1);
    SetAutoMidHandle(0);
    SetDefaultImageFlags(6);
}

TDrawingSnapshot SaveDrawing() {
    const TGraphicsState& g = Graphics();
    return {DrawState(), g.ColorR, g.ColorG, g.ColorB};
}

void RestoreDrawing(const TDrawingSnapshot& snapshot) {
    const TDrawState& s = snapshot.State;
    DrawState() = s;
    SetBlendMode(s.Blend);
    SetDrawColor(snapshot.R, snapshot.G, snapshot.B);
    SetDrawAlpha(s.Alpha);
    SetRotationAndScale(s.Rotation, s.ScaleX, s.ScaleY);
    SetLineWidth(s.LineWidth);
}

void SetBlendMode(int32_t mode) {
    DrawState().Blend = mode;
    RenderDriver().SetBlend(mode);
}

void SetDrawColor(int32_t r, int32_t g, int32_t b) {
    TGraphicsState& gs = Graphics();
    gs.ColorR = static_cast<uint8_t>(std::clamp(r, 0, 255));
    gs.ColorG = static_cast<uint8_t>(std::clamp(g, 0, 255));
    gs.ColorB = static_cast<uint8_t>(std::clamp(b, 0, 255));
    RenderDriver().SetColor(gs.ColorR, gs.ColorG, gs.ColorB);
}

void SetDrawAlpha(float alpha) {
    if (alpha > 1.0f) alpha = 1.0f;
    if (alpha < 0.0f) alpha = 0.0f;
    DrawState().Alpha = alpha;
    // The byte is alpha x 255 truncated; the driver derives the same byte
    // from the float, never from the byte again (178 / 255 x 255 < 178).
    Graphics().ColorA = static_cast<uint8_t>(alpha * 255.0f);
    RenderDriver().SetAlpha(alpha);
}

void SetScale(float sx, float sy) {
    DrawState().ScaleX = sx;
    DrawState().ScaleY = sy;
    IssueTransform();
}

void SetRotation(float degrees) {
    DrawState().Rotation = degrees;
    IssueTransform();
}

void SetRotationAndScale(float degrees, float sx, float sy) {
    DrawState().Rotation = degrees;
    DrawState().ScaleX = sx;
    DrawState().ScaleY = sy;
    IssueTransform();
}

void SetOrigin(float x, float y) {
    DrawState().OriginX = x;
    DrawState().OriginY = y;
}

void SetTextHandle(float x, float y) {
    DrawState().HandleX = -x;
    DrawState().HandleY = -y;
}

void SetLineWidth(float width) {
    DrawState().LineWidth = width;
    RenderDriver().SetLineWidth(width);
}

void SetMaskColor(int32_t r, int32_t g, int32_t b) {
    DrawState().MaskR = r;
    DrawState().MaskG = g;
    DrawState().MaskB = b;
}

void SetAutoMidHandle(int32_t flag) { DrawState().AutoMidHandle = flag; }

void SetDefaultImageFlags(int32_t flags) {
    if (flags != -1) DrawState().DefaultFlags = flags;
}

void DrawImage(const ImageRef& image, float x, float y, int32_t frame) {
    if (!image || frame < 0 || frame >= static_cast<int32_t>(image->Frames.size())) return;
    TDrawState& s = DrawState();
    float hx = image->HandleX, hy = image->HandleY;
    image->Frames[frame]->Draw(-hx, -hy, image->Width - hx, image->Height - hy, x + s.OriginX, y + s.OriginY);
}

void DrawLine(float x1, float y1, float x2, float y2, int32_t drawLastPixel) {
    TDrawState& s = DrawState();
    TRenderDriver& driver = RenderDriver();
    float hx = s.HandleX, hy = s.HandleY;
    float tx = x1 + s.OriginX, ty = y1 + s.OriginY;
    driver.DrawLine(hx, hy, hx + x2 - x1, hy + y2 - y1, tx, ty);
    if (drawLastPixel) {
        TGraphicsState& g = Graphics();
        float px = hx + x2 - x1, py = hy + y2 - y1;
        driver.Plot(px * g.Ix + py * g.Iy + tx, px * g.Jx + py * g.Jy + ty);
    }
}

}  // namespace tuublark
