// The display: opening it, presenting frames at a steady rate, clearing,
// and stopping the program on a fatal engine error.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tuublark {

// Timer pacing: frame n is released at PacingStart + n * 1000 / Hertz ms.
struct TFramePacing {
    int32_t PacingOn = 0;
    int32_t PacingTicks = 0;  // 1000 per presented frame, never reset
    int32_t PacingStart = 0;

    // Milliseconds to sleep before presenting, given the clock now. A late
    // frame (or a wait of 1000 ms or more) resynchronises instead: 0.
    int32_t WaitBeforeFlip(int32_t now, int32_t hertz);
};

struct TGraphicsState {
    int32_t Width = 0, Height = 0, Depth = 0, Hertz = 0;
    TFramePacing Pacing;
    uint8_t ColorR = 255, ColorG = 255, ColorB = 255, ColorA = 255;
    float Ix = 1, Iy = 0, Jx = 0, Jy = 1;
};

TGraphicsState& Graphics();

// Swap timing seen during calibration: `swap` presents one frame.
// Returns true when three consecutive swaps took 1000 / hertz ms (+-1).
bool CalibrateRetrace(int32_t hertz, const std::function<void()>& swap,
                      const std::function<int32_t()>& clock);

void OpenGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz);
void FlipFrame();
void ClearScreen();
void SetClearColor(int32_t r, int32_t g, int32_t b);
void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height);
int32_t GraphicsModeExists(int32_t width, int32_t height, int32_t depth, int32_t hertz);

// The engine's fatal error: message on standard error, exit status 255.
[[noreturn]] void RaiseRuntimeError(const std::string& message);

}  // namespace tuublark
