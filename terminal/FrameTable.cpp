#include "FrameTable.h"

#include <cstring>

FrameTable::FrameTable() : frameCount(0), selectedFrame(0) { std::memset(slots, 0, sizeof(slots)); }

FrameTable::~FrameTable() {
    for (FrameSlot &slot : slots) {
        if (slot.image) oapiDestroySurface(slot.image);
        if (slot.rawImage) oapiDestroySurface(slot.rawImage);
    }
}

FrameSlot *FrameTable::Schedule(double time) {
    if (frameCount < 0 || frameCount >= kSlotCount) return nullptr;
    FrameSlot &slot = slots[frameCount];
    slot.state = kFrameScheduled;
    slot.time = time;
    for (int k = 0; k < 3; ++k) {
        slot.paramA[k] = 0.0;
        slot.paramB[k] = 0.0;
    }
    ++frameCount;
    return &slot;
}
