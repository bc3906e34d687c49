#include "engine/audio/channel_table.h"

namespace tuublark {

TChannelTable::TChannelTable() {
    for (int32_t i = 1; i < kChannelSlots; ++i)
        slots_[static_cast<size_t>(i)].NextFree = i + 1 < kChannelSlots ? i + 1 : 0;
    freeHead_ = 1;
}

int32_t TChannelTable::Allocate() {
    if (freeHead_ == 0) return 0;
    int32_t index = freeHead_;
    TChannelSlot& slot = Slot(index);
    freeHead_ = slot.NextFree;
    slot.NextFree = 0;
    slot.InUse = true;
    slot.Generation += kChannelSlots;
    // Wrapping to generation 0 is harmless: the index keeps the handle non-zero.
    return static_cast<int32_t>(slot.Generation | static_cast<uint32_t>(index));
}

void TChannelTable::Release(int32_t handle) {
    TChannelSlot* slot = Find(handle);
    if (!slot) return;
    slot->InUse = false;
    slot->Voice = nullptr;
    slot->NextFree = freeHead_;
    freeHead_ = handle & kSlotMask;
}

TChannelSlot* TChannelTable::Find(int32_t handle) {
    int32_t index = handle & kSlotMask;
    if (index == 0) return nullptr;
    TChannelSlot& slot = Slot(index);
    uint32_t generation = static_cast<uint32_t>(handle) & ~static_cast<uint32_t>(kSlotMask);
    if (!slot.InUse || slot.Generation != generation) return nullptr;
    return &slot;
}

}  // namespace tuublark
