#include "gl_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "engine/display/graphics.h"
#include "engine/display/render_driver.h"
#include "engine/image/draw.h"
#include "engine/platform/sdl_platform.h"

namespace tuublark::test {

void GLDrawing::SetUp() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) GTEST_SKIP() << "no display to draw on";
    static bool opened = false;
    if (!opened) {
        TPlatformOptions options;
        options.Windowed = true;
        // The tests run once for each render driver.
        const char* renderer = std::getenv("TUUBLARK_TEST_RENDERER");
        options.OpenGLES2 = renderer && std::string(renderer) == "gles2";
        std::string error;
        ASSERT_TRUE(InstallSdlPlatform(options, error)) << error;
        OpenGraphics(800, 600, 0, 60);
        opened = true;
    }
    // The state the game sets up right after opening the display.
    SetClearColor(0, 0, 0);
    SetBlendMode(BlendMasked);
    SetDrawColor(255, 255, 255);
    SetDrawAlpha(1.0f);
    SetRotationAndScale(0, 1, 1);
    SetOrigin(0, 0);
    SetMaskColor(0, 255, 0);
    SetAutoMidHandle(1);
    ClearScreen();
}

void GLDrawing::Grab() {
    shot_ = RenderDriver().GrabPixmap(0, 0, 800, 600);
    ASSERT_TRUE(shot_);
    ASSERT_EQ(shot_->Width, 800);
    ASSERT_EQ(shot_->Height, 600);
}

std::vector<int> GLDrawing::At(int32_t x, int32_t y) const {
    const uint8_t* p = shot_->Row(y) + x * BytesPerPixel(shot_->Format);
    return {p[0], p[1], p[2]};
}

bool GLDrawing::Lit(int32_t x, int32_t y) const {
    std::vector<int> c = At(x, y);
    return c[0] > 0 || c[1] > 0 || c[2] > 0;
}

std::vector<int32_t> GLDrawing::LitBox() const {
    std::vector<int32_t> box = {800, 600, -1, -1};
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x)
            if (Lit(x, y)) {
                box[0] = std::min(box[0], x), box[1] = std::min(box[1], y);
                box[2] = std::max(box[2], x), box[3] = std::max(box[3], y);
            }
    return box;
}

ImageRef MakeImage(int32_t w, int32_t h, const std::function<uint32_t(int32_t, int32_t)>& colour, int32_t flags) {
    PixmapRef p = CreatePixmap(w, h, PixelFormatRGB888);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            uint32_t c = colour(x, y);
            uint8_t* q = p->Row(y) + x * 3;
            q[0] = static_cast<uint8_t>(c >> 16), q[1] = static_cast<uint8_t>(c >> 8), q[2] = static_cast<uint8_t>(c);
        }
    return LoadImage(p, flags);
}

}  // namespace tuublark::test
