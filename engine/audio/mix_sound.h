// The mixer's copy of a sound: 16-bit stereo frames and a reference count.
//
// The game side holds one reference and every voice playing the sound holds
// one more. The last release frees the data, on whichever thread drops it.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

namespace tuublark {

class TMixSound {
public:
    // `frames` interleaved left/right values (2 per frame) at `hertz`.
    // The count starts at 1: the creator's reference.
    TMixSound(std::vector<int16_t> frames, int32_t hertz, bool loop);

    TMixSound(const TMixSound&) = delete;
    TMixSound& operator=(const TMixSound&) = delete;

    void AddRef() { refCount_.fetch_add(1, std::memory_order_relaxed); }
    // Frees the sound when this was the last reference.
    void Release();
    int32_t RefCount() const { return refCount_.load(std::memory_order_acquire); }

    static constexpr int32_t Channels = 2;
    static constexpr int32_t Bits = 16;
    static constexpr int32_t BytesPerFrame = 4;

    const int32_t Hertz;
    const int32_t Length;    // frames
    const int32_t LoopFlag;  // -1 loops, 0 plays once
    const std::vector<int16_t> Data;

private:
    ~TMixSound() = default;
    std::atomic<int32_t> refCount_{1};
};

}  // namespace tuublark
