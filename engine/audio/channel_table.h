// The channel slots behind channel handles.
//
// A handle is a slot index (low 12 bits) OR the slot's generation (upper
// bits). Every allocation adds 4096 to the slot's generation, so handles
// from an earlier use of the slot stop matching. Slot 0 is never used, so
// no handle is 0. Touched by the game thread only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/audio/voice.h"

namespace tuublark {

constexpr int32_t kChannelSlots = 4096;
constexpr int32_t kSlotMask = kChannelSlots - 1;

struct TChannelSlot {
    TVoice* Voice = nullptr;
    int32_t NextFree = 0;
    uint32_t Generation = kChannelSlots;
    bool InUse = false;
};

class TChannelTable {
public:
    TChannelTable();

    // A fresh handle, or 0 when all 4095 slots are taken.
    int32_t Allocate();
    // Frees the handle's slot; its voice must have been detached.
    void Release(int32_t handle);
    // The slot of a live handle, null for 0, stale or released handles.
    TChannelSlot* Find(int32_t handle);

    TChannelSlot& Slot(int32_t index) { return slots_[static_cast<size_t>(index)]; }

private:
    std::array<TChannelSlot, static_cast<size_t>(kChannelSlots)> slots_;
    int32_t freeHead_ = 0;
};

}  // namespace tuublark
