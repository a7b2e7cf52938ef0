// Where the application hands the window handles of its two tool-tip windows (oTooltip, oBalloon): the
// controls' native tool-tip code installs a receiver; until then the handles go nowhere.
#pragma once

#include <cstdint>
#include <functional>

namespace vorpex {

using TooltipReceiver = std::function<void(intptr_t tooltip, intptr_t balloon)>;

// Installs the receiver and returns the previous one.
TooltipReceiver setTooltipReceiver(TooltipReceiver receiver);
const TooltipReceiver& tooltipReceiver();

}  // namespace vorpex
