#include "framework/core/app/tooltip_receiver.h"

#include <utility>

namespace vorpex {

namespace {
TooltipReceiver& slot() {
    static TooltipReceiver r = [](intptr_t, intptr_t) {};
    return r;
}
}  // namespace

TooltipReceiver setTooltipReceiver(TooltipReceiver receiver) {
    if (!receiver) receiver = [](intptr_t, intptr_t) {};
    return std::exchange(slot(), std::move(receiver));
}

const TooltipReceiver& tooltipReceiver() { return slot(); }

}  // namespace vorpex
