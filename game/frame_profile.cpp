#include "game/frame_profile.h"

#include <cerrno>
#include <cstring>
#include <ctime>

namespace tuublark {
namespace {

int64_t Nanoseconds(clockid_t clock) {
    timespec ts;
    clock_gettime(clock, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

}  // namespace

TFrameProfile::~TFrameProfile() {
    if (file_) std::fclose(file_);
}

bool TFrameProfile::Open(const std::string& path, std::string& error) {
    file_ = std::fopen(path.c_str(), "w");
    if (!file_) {
        error = path + ": cannot write profile file (" + std::strerror(errno) + ")";
        return false;
    }
    return true;
}

void TFrameProfile::BeginFrame() {
    if (file_) frameStart_ = Nanoseconds(CLOCK_THREAD_CPUTIME_ID);
}

void TFrameProfile::EndFrame(int32_t frame, int32_t screen) {
    if (!file_) return;
    int64_t micros = (Nanoseconds(CLOCK_THREAD_CPUTIME_ID) - frameStart_) / 1000;
    std::fprintf(file_, "%d %d %lld\n", frame, screen, static_cast<long long>(micros));
}

void TFrameProfile::FramePresented() {
    if (!file_ || presented_) return;
    presented_ = true;
    std::fprintf(file_, "presented %lld\n", static_cast<long long>(Nanoseconds(CLOCK_MONOTONIC)));
}

}  // namespace tuublark
