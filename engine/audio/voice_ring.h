// A fixed ring of voice pointers between exactly one writer thread and one
// reader thread, without locks.
//
// The writer fills an entry and then publishes the write index with release
// ordering; the reader acquires the write index before reading entries, so
// everything the writer did to a voice before queueing it is visible to the
// reader. The read index is published the same way back to the writer.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/audio/voice.h"

namespace tuublark {

template <uint32_t Size>
class TVoiceRing {
    static_assert((Size & (Size - 1)) == 0, "ring size must be a power of two");

public:
    // Writer side. False when the ring is full.
    bool Push(TVoice* voice) {
        uint32_t write = write_.load(std::memory_order_relaxed);
        if (write - read_.load(std::memory_order_acquire) == Size) return false;
        items_[write % Size] = voice;
        write_.store(write + 1, std::memory_order_release);
        return true;
    }
    bool Full() const { return write_.load(std::memory_order_relaxed) - read_.load(std::memory_order_acquire) == Size; }

    // Reader side. Null when the ring is empty.
    TVoice* Pop() {
        uint32_t read = read_.load(std::memory_order_relaxed);
        if (read == write_.load(std::memory_order_acquire)) return nullptr;
        TVoice* voice = items_[read % Size];
        read_.store(read + 1, std::memory_order_release);
        return voice;
    }

private:
    std::array<TVoice*, Size> items_{};
    alignas(64) std::atomic<uint32_t> write_{0};
    alignas(64) std::atomic<uint32_t> read_{0};
};

}  // namespace tuublark
