#include "engine/display/render_driver.h"

#include "engine/engine.h"
#include "engine/image/image.h"
#include "engine/image/pixmap.h"

namespace tuublark {
namespace {

// A frame that only remembers its size: what headless runs draw with.
class THeadlessFrame : public TImageFrame {
public:
    void Draw(float, float, float, float, float, float) override {}
};

}  // namespace

bool TRenderDriver::SetGraphicsMode(int32_t, int32_t, int32_t, int32_t) { return true; }

ImageFrameRef TRenderDriver::CreateFrame(int32_t, int32_t, int32_t) {
    auto frame = std::make_shared<THeadlessFrame>();
    frame->U1 = frame->V1 = 1.0f;
    return frame;
}

ImageFrameRef TRenderDriver::CreateFrameFromPixmap(const PixmapRef&, int32_t) {
    auto frame = std::make_shared<THeadlessFrame>();
    frame->U1 = frame->V1 = 1.0f;
    return frame;
}

PixmapRef TRenderDriver::GrabPixmap(int32_t, int32_t, int32_t, int32_t) { return nullptr; }

TRenderDriver& RenderDriver() { return Engine().Render(); }

void SetRenderDriver(std::unique_ptr<TRenderDriver> driver) {
    Engine().SetRender(driver ? std::move(driver) : std::make_unique<TRenderDriver>());
}

}  // namespace tuublark
