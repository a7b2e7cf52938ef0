// The up-down control's decisions, apart from its window: the acceleration table made from aAccels, whether
// OnChange's answer refuses a step, and the room a buddy is given when it is attached.
#pragma once

#include <cstdint>
#include <vector>

#include "runtime/core/value.h"

namespace vorpex::updown {

struct Accel {
    uint32_t seconds = 0, increment = 0;
    friend bool operator==(const Accel&, const Accel&) = default;
};

// The {nSeconds, nIncrement} pairs of a list, in order; elements that are no pair of non-negative numbers are
// skipped.
std::vector<Accel> accelTable(const rt::Value& list);

// OnChange refuses a step by answering .T. or a number other than 0.
bool stepRefused(const rt::Value& answer);

// The width a buddy grows by as it is attached with an alignment: the control takes its own width from the
// buddy at every attachment, the same buddy's again included, so the buddy keeps its visible width. The
// up-down's width, less the one pixel they overlap when the control had no buddy yet; nothing without an
// alignment or a buddy.
int64_t buddyRoom(int64_t upDownWidth, bool aligned, intptr_t attached, intptr_t buddy);

}  // namespace vorpex::updown
