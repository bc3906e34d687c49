// An 800x600 window with a real OpenGL context, and reading pixels back;
// TUUBLARK_TEST_RENDERER=gles2 draws with the OpenGL ES 2.0 driver.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/image/image.h"

namespace tuublark::test {

class GLDrawing : public ::testing::Test {
protected:
    // Skips the test when there is no display to open.
    void SetUp() override;

    // The back buffer as drawn so far, in game pixels.
    void Grab();
    std::vector<int> At(int32_t x, int32_t y) const;
    bool Lit(int32_t x, int32_t y) const;  // any channel above 0
    // Smallest box holding every lit pixel: x0, y0, x1, y1 (inclusive).
    std::vector<int32_t> LitBox() const;

    PixmapRef shot_;
};

// A picture of w x h pixels coloured by colour(x, y) = 0xRRGGBB.
ImageRef MakeImage(int32_t w, int32_t h, const std::function<uint32_t(int32_t, int32_t)>& colour, int32_t flags);

}  // namespace tuublark::test
