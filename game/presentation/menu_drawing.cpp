#include "game/presentation/menu_drawing.h"

#include "engine/image/draw.h"
#include "engine/text/font.h"
#include "game/frame_loop.h"

namespace tuublark {
namespace {

// A menu table's columns, around the screen's middle.
constexpr float kMarkerX = 215, kNameX = 240, kValueX = 475;

void SetLit(bool lit) {
    if (lit) SetDrawColor(255, 214, 64);
    else SetDrawColor(235, 235, 235);
}

}  // namespace

TMenuDrawing::TMenuDrawing(const PixmapRef& still) {
    if (!still) return;
    still_ = LoadImage(still, 0);  // neither filtered nor masked: shown as it was
    SetImageHandle(still_, 0, 0);
}

void TMenuDrawing::Begin() {
    saved_ = SaveDrawing();
    SetRotationAndScale(0, 1, 1);
    SetDrawAlpha(1.0f);
    SetOrigin(0, 0);
    SetTextHandle(0, 0);
    SetBlendMode(BlendSolid);
    SetDrawColor(80, 80, 90);
    DrawImage(still_, 0, 0);
    SetBlendMode(BlendAlpha);
}

void TMenuDrawing::Line(const std::string& text, float y, bool lit) {
    SetLit(lit);
    DrawText(text, static_cast<float>(400 - TextWidth(text) / 2), y);
}

void TMenuDrawing::Row(const std::string& name, const std::string& value, float y, bool lit) {
    SetLit(lit);
    if (lit) DrawText(">", kMarkerX, y);
    DrawText(name, kNameX, y);
    DrawText(value, kValueX, y);
}

void TMenuDrawing::End() {
    RestoreDrawing(saved_);
    PresentFrame();
}

}  // namespace tuublark
