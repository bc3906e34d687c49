// The display: opening it, presenting frames at a steady rate, clearing,
// and stopping the program on a fatal engine error.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tuublark {

// Milliseconds from `then` to `now` on the wrapping 32-bit clock: right
// across a wrap, for spans under 24 days.
inline int32_t MillisecsSince(int32_t now, int32_t then) {
    return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(then));
}

// Timer pacing: frame n is released at PacingStart + n * 1000 / Hertz ms.
// Each whole second of frames moves PacingStart on by 1000 ms, so the
// numbers stay small however long the game runs, and the clock may wrap.
struct TFramePacing {
    int32_t PacingOn = 0;
    int64_t PacingTicks = 0;  // 1000 per presented frame since PacingStart
    int32_t PacingStart = 0;

    // A frame late by less than this many frames is presented at once and
    // the schedule kept, so the frames after it make the time up and a
    // sweep pass keeps its length in real time (the music is timed by it).
    // A frame later than that (a stall, a pause) starts the schedule again.
    static constexpr int32_t kCatchUpFrames = 3;
    static int32_t CatchUpMs(int32_t hertz) { return kCatchUpFrames * 1000 / hertz; }

    // Milliseconds to sleep before presenting, given the clock now: 0 for a
    // late frame, which resynchronises when it is kCatchUpFrames late or
    // more, as does a wait of 1000 ms or more.
    int32_t WaitBeforeFlip(int32_t now, int32_t hertz);
    // How far behind its due time (the last frame's presentation) a frame
    // starting at `now` is, in ms: 0 when on time, and when it is so late
    // that the schedule will start again.
    double LatenessAt(int32_t now, int32_t hertz) const;
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
bool CalibrateRetrace(int32_t hertz, const std::function<void()>& swap, const std::function<int32_t()>& clock);

void OpenGraphics(int32_t width, int32_t height, int32_t depth, int32_t hertz);
void FlipFrame();
// The frame starting now against the timer pacing's schedule (see
// TFramePacing::LatenessAt), in seconds; 0 when the display keeps time.
double FrameLatenessSeconds();
void ClearScreen();
void SetClearColor(int32_t r, int32_t g, int32_t b);
void SetViewport(int32_t x, int32_t y, int32_t width, int32_t height);
int32_t GraphicsModeExists(int32_t width, int32_t height, int32_t depth, int32_t hertz);

// The engine's fatal error: throws TEngineError (engine/engine.h) with the
// message; main writes it on standard error and exits with status 255.
[[noreturn]] void RaiseRuntimeError(const std::string& message);

}  // namespace tuublark
