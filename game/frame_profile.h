// Per-frame timing for benchmarks (--profile FILE): the CPU time of each
// frame's game work, from reading the keys to the end of the drawing, and
// the moment the first frame was presented.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tuublark {

class TFrameProfile {
public:
    ~TFrameProfile();
    // False with `error` set when the file cannot be written.
    bool Open(const std::string& path, std::string& error);
    bool IsOpen() const { return file_ != nullptr; }

    void BeginFrame();
    // Ends the frame's game work and writes "<frame> <screen> <cpu µs>
    // <monotonic µs at its start>".
    void EndFrame(int32_t frame, int32_t screen);
    // Writes "presented <monotonic ns>" once, after the first present.
    void FramePresented();
    // Closes the file; false with `error` set when a write failed.
    bool Close(std::string& error);

private:
    void Wrote(int result);

    std::FILE* file_ = nullptr;
    std::string path_;
    int writeError_ = 0;  // errno of the first failed write
    int64_t frameStart_ = 0;
    int64_t frameWallStart_ = 0;
    bool presented_ = false;
};

}  // namespace tuublark
