#include "engine/display/graphics.h"

#include "engine/display/render_driver.h"
#include "engine/engine.h"
#include "engine/image/draw.h"
#include "engine/input/system_driver.h"
#include "engine/text/font.h"

namespace tuublark {

TGraphicsState& Graphics() { return Engine().Graphics(); }

int32_t TFramePacing::WaitBeforeFlip(int32_t now, int32_t hertz) {
    const int64_t second = 1000 * static_cast<int64_t>(hertz);
    while (PacingTicks >= second) {
        PacingTicks -= second;
        PacingStart = static_cast<int32_t>(static_cast<uint32_t>(PacingStart) + 1000u);
    }
    PacingTicks += 1000;
    int64_t wait = PacingTicks / hertz - MillisecsSince(now, PacingStart);
    if (wait > 0 && wait < 1000) return static_cast<int32_t>(wait);
    if (wait <= 0 && -wait < CatchUpMs(hertz)) return 0;
    PacingStart = now;
    PacingTicks = 0;
    return 0;
}

double TFramePacing::LatenessAt(int32_t now, int32_t hertz) const {
    const double late = MillisecsSince(now, PacingStart) - static_cast<double>(PacingTicks) / hertz;
    return late > 0 && late < CatchUpMs(hertz) ? late : 0.0;
}

bool CalibrateRetrace(int32_t hertz, const std::function<void()>& swap, const std::function<int32_t()>& clock) {
    int32_t hits = 0;
    for (int32_t trial = 0; trial < hertz; ++trial) {
        int32_t before = clock();
        swap();
        int32_t diff = MillisecsSince(clock(), before) - 1000 / hertz;
        hits = (diff >= -1 && diff <= 1) ? hits + 1 : 0;
        if (hits == 3) return true;
    }
    return false;
}

// Runs at the end of every mode set: retrace synchronisation when the
// display keeps time by itself, else timer pacing in FlipFrame.
static void CalibratePacing() {
    TGraphicsState& g = Graphics();
    TRenderDriver& driver = RenderDriver();
    g.Pacing.PacingOn = 0;
    bool hasInterval = driver.SetSwapInterval(1);
    if (g.Hertz == 0 || !driver.Presents()) return;
    bool retrace = hasInterval && CalibrateRetrace(
                                      g.Hertz, [&] { driver.Flip(); }, [] { return Millisecs(); });
    if (!retrace) {
        g.Pacing.PacingOn = 1;
        g.Pacing.PacingStart = Millisecs();
        driver.SetSwapInterval(0);
    }
}

void OpenGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz) {
    TGraphicsState& g = Graphics();
    // A full-screen size the display lacks is shown scaled on the desktop
    // mode by the driver, so no "Graphics mode does not exist" here.
    g.Width = width;
    g.Height = height;
    g.Depth = depth;
    g.Hertz = hertz;
    if (!RenderDriver().SetGraphicsMode(width, height, depth, hertz)) RaiseRuntimeError("Unable to set graphics mode");
    CalibratePacing();
    ResetDrawingState(width, height);
    ResetFonts();
}

void FlipFrame() {
    TGraphicsState& g = Graphics();
    if (g.Pacing.PacingOn) {
        int32_t wait = g.Pacing.WaitBeforeFlip(Millisecs(), g.Hertz);
        if (wait > 0) Delay(wait);
    }
    RenderDriver().Flip();
}

double FrameLatenessSeconds() {
    const TGraphicsState& g = Graphics();
    if (!g.Pacing.PacingOn || g.Hertz <= 0) return 0.0;
    return g.Pacing.LatenessAt(Millisecs(), g.Hertz) / 1000.0;
}

void ClearScreen() { RenderDriver().Clear(); }

void SetClearColor(int32_t r, int32_t g, int32_t b) { RenderDriver().SetClearColor(r, g, b); }

void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height) {
    RenderDriver().SetViewport(x, y, width, height);
}

int32_t GraphicsModeExists(int32_t width, int32_t height, int32_t depth, int32_t hertz) {
    for (const TGraphicsMode& mode : RenderDriver().GraphicsModes()) {
        if ((width == 0 || mode.Width == width) && (height == 0 || mode.Height == height) &&
            (depth == 0 || mode.Depth == depth) && (hertz == 0 || mode.Hertz == hertz))
            return 1;
    }
    return 0;
}

void RaiseRuntimeError(const std::string& message) { throw TEngineError(message); }

}  // namespace tuublark
