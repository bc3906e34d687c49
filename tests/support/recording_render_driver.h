// A render driver that draws nothing and logs every operation it is given,
// with the drawing state in force at each draw. Fake images and a fake font
// whose frames log their own names let a test tell which picture or text
// was drawn, where, and under which blend mode, alpha, colour and scale.
#pragma once

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/display/render_driver.h"
#include "engine/image/image.h"
#include "engine/text/font.h"

namespace tuublark::testing {

// The state the driver was last given.
struct TRecordedState {
    int32_t Blend = 0;
    float Alpha = 1.0f;
    int32_t R = 255, G = 255, B = 255;
    float Ix = 1, Iy = 0, Jx = 0, Jy = 1;

    float ScaleX() const { return std::sqrt(Ix * Ix + Jx * Jx); }
};

enum class TOpKind { Blend, Alpha, Color, Transform, Quad, Line };

struct TRecordedOp {
    TOpKind Kind;
    std::string Label;                   // the picture's name for a Quad ("glyph:c" for text)
    std::vector<float> Args;             // the operation's arguments as given to the driver
    TRecordedState State;                // the state in force after this operation
    float X() const { return Args[4]; }  // quad/line translation
    float Y() const { return Args[5]; }
};

struct TDrawLog {
    TRecordedState State;
    std::vector<TRecordedOp> Ops;

    void Record(TOpKind kind, std::vector<float> args, std::string label = "") {
        Ops.push_back({kind, std::move(label), std::move(args), State});
    }
    void Clear() { Ops.clear(); }
};

using DrawLogRef = std::shared_ptr<TDrawLog>;

class TRecordingFrame : public TImageFrame {
public:
    TRecordingFrame(DrawLogRef log, std::string label) : log_(std::move(log)), label_(std::move(label)) {}
    void Draw(float x0, float y0, float x1, float y1, float tx, float ty) override {
        log_->Record(TOpKind::Quad, {x0, y0, x1, y1, tx, ty}, label_);
    }

private:
    DrawLogRef log_;
    std::string label_;
};

class TRecordingRenderDriver : public TRenderDriver {
public:
    explicit TRecordingRenderDriver(DrawLogRef log) : log_(std::move(log)) {}

    ImageFrameRef CreateFrame(int32_t, int32_t, int32_t) override { return Frame(); }
    ImageFrameRef CreateFrameFromPixmap(const PixmapRef&, int32_t) override { return Frame(); }
    void SetBlend(int32_t mode) override {
        log_->State.Blend = mode;
        log_->Record(TOpKind::Blend, {static_cast<float>(mode)});
    }
    void SetAlpha(float alpha) override {
        log_->State.Alpha = alpha;
        log_->Record(TOpKind::Alpha, {alpha});
    }
    void SetColor(int32_t r, int32_t g, int32_t b) override {
        log_->State.R = r, log_->State.G = g, log_->State.B = b;
        log_->Record(TOpKind::Color, {static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)});
    }
    void SetTransform(float ix, float iy, float jx, float jy) override {
        log_->State.Ix = ix, log_->State.Iy = iy, log_->State.Jx = jx, log_->State.Jy = jy;
        log_->Record(TOpKind::Transform, {ix, iy, jx, jy});
    }
    void DrawLine(float x0, float y0, float x1, float y1, float tx, float ty) override {
        log_->Record(TOpKind::Line, {x0, y0, x1, y1, tx, ty});
    }

private:
    ImageFrameRef Frame() const { return std::make_shared<TRecordingFrame>(log_, ""); }
    DrawLogRef log_;
};

// Installs a recording driver and returns its log.
inline DrawLogRef InstallRecordingDriver() {
    auto log = std::make_shared<TDrawLog>();
    SetRenderDriver(std::make_unique<TRecordingRenderDriver>(log));
    return log;
}

// A picture of the given size, centred on its drawing position, whose
// draws are logged under `name`.
inline ImageRef MakeFakeImage(const DrawLogRef& log, const std::string& name, int32_t width = 30, int32_t height = 30) {
    auto image = std::make_shared<TImage>();
    image->Width = width;
    image->Height = height;
    image->HandleX = width * 0.5f;
    image->HandleY = height * 0.5f;
    image->Frames.push_back(std::make_shared<TRecordingFrame>(log, name));
    image->Pixmaps.push_back(nullptr);
    return image;
}

// Fake font metrics: every printable character is kGlyphWidth wide and
// kGlyphHeight high; a space has no picture.
constexpr int32_t kGlyphWidth = 10;
constexpr int32_t kGlyphHeight = 20;

inline FontRef MakeFakeFont(const DrawLogRef& log) {
    auto font = std::make_shared<TImageFont>();
    font->Height = kGlyphHeight;
    font->FirstChar = 32;
    for (int c = 32; c < 128; ++c) {
        TImageGlyph glyph;
        glyph.Advance = static_cast<float>(kGlyphWidth);
        if (c != ' ') {
            glyph.Image = MakeFakeImage(log, std::string("glyph:") + static_cast<char>(c), kGlyphWidth, kGlyphHeight);
            glyph.Image->HandleX = glyph.Image->HandleY = 0;
            glyph.W = kGlyphWidth;
            glyph.H = kGlyphHeight;
        }
        font->Glyphs.push_back(glyph);
    }
    return font;
}

// One drawn picture, line or text run, with the state it was drawn with.
struct TDrawn {
    std::string What;  // picture name, "line", or "text:<characters>"
    float X = 0, Y = 0;
    std::vector<float> Args;
    TRecordedState State;
};

// The log's draws in order: quads by picture name, glyph quads that follow
// each other along a line joined into one text run, lines.
inline std::vector<TDrawn> Draws(const TDrawLog& log) {
    std::vector<TDrawn> out;
    float nextGlyphX = 0;
    bool inText = false;
    for (const TRecordedOp& op : log.Ops) {
        const bool glyph = op.Kind == TOpKind::Quad && op.Label.rfind("glyph:", 0) == 0;
        if (glyph && inText && std::fabs(op.X() - nextGlyphX) < 0.01f && std::fabs(op.Y() - out.back().Y) < 0.01f)
            out.back().What += op.Label[6];
        else if (glyph) out.push_back({"text:" + op.Label.substr(6), op.X(), op.Y(), op.Args, op.State});
        else if (op.Kind == TOpKind::Quad) out.push_back({op.Label, op.X(), op.Y(), op.Args, op.State});
        else if (op.Kind == TOpKind::Line) out.push_back({"line", op.X(), op.Y(), op.Args, op.State});
        else continue;
        nextGlyphX = op.X() + kGlyphWidth * op.State.Ix;
        inText = glyph;
    }
    return out;
}

}  // namespace tuublark::testing
