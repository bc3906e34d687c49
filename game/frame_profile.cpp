#include "game/frame_profile.h"

#include <cerrno>
#include <cstring>
#include <ctime>

#include "engine/runtime/file_open.h"

namespace tuublark {
namespace {

int64_t Nanoseconds(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

#ifdef __EMSCRIPTEN__
// A browser has no CPU clock; the page's one thread does nothing else during
// a frame's work, so its wall time is its CPU time.
constexpr clockid_t kCpuClock = CLOCK_MONOTONIC;
#else
constexpr clockid_t kCpuClock = CLOCK_THREAD_CPUTIME_ID;
#endif

}  // namespace

TFrameProfile::~TFrameProfile() {
    if (file_) std::fclose(file_);
}

bool TFrameProfile::Open(const std::string& path, std::string& error) {
    file_ = OpenFile(path, "w");
    if (!file_) {
        error = path + ": cannot write profile file (" + std::strerror(errno) + ")";
        return false;
    }
    path_ = path;
    return true;
}

void TFrameProfile::Wrote(int result) {
    if (result < 0 && writeError_ == 0) writeError_ = errno;
}

bool TFrameProfile::Close(std::string& error) {
    if (!file_) return true;
    if (std::fflush(file_) != 0 && writeError_ == 0) writeError_ = errno;
    if (std::ferror(file_) && writeError_ == 0) writeError_ = EIO;
    std::fclose(file_);
    file_ = nullptr;
    if (writeError_ == 0) return true;
    error = path_ + ": cannot write profile file (" + std::strerror(writeError_) + ")";
    return false;
}

void TFrameProfile::BeginFrame() {
    if (!file_) return;
    frameWallStart_ = Nanoseconds(CLOCK_MONOTONIC);
    // In a browser both are the page's clock, a call into JavaScript each.
    frameStart_ = kCpuClock == CLOCK_MONOTONIC ? frameWallStart_ : Nanoseconds(kCpuClock);
}

void TFrameProfile::EndFrame(int32_t frame, int32_t screen) {
    if (!file_) return;
    int64_t micros = (Nanoseconds(kCpuClock) - frameStart_) / 1000;
    Wrote(std::fprintf(file_, "%d %d %lld %lld\n", frame, screen, static_cast<long long>(micros),
                       static_cast<long long>(frameWallStart_ / 1000)));
}

void TFrameProfile::FramePresented() {
    if (!file_ || presented_) return;
    presented_ = true;
    Wrote(std::fprintf(file_, "presented %lld\n", static_cast<long long>(Nanoseconds(CLOCK_MONOTONIC))));
}

}  // namespace tuublark
