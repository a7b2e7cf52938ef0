// The decisions of the tool-tip objects, apart from windows: which window owns a tool and under which id,
// which title a tip shows and which text a tracking tip shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/core/value.h"

namespace vorpex::tip {

inline constexpr uint32_t kIdIsHwnd = 0x1, kSubclass = 0x10, kTrack = 0x20, kTransparent = 0x100;
inline constexpr int64_t kNoPrefix = 2, kAlwaysTip = 1, kBalloon = 64, kCloseButton = 128;

// Who a tool belongs to in the tip window: the owner window and the id within it.
struct ToolKey {
    uint32_t flags = 0;
    intptr_t owner = 0;
    intptr_t id = 0;
    friend bool operator==(const ToolKey&, const ToolKey&) = default;
};

// A zone (with an id) belongs to the control's own window; the whole control belongs to its form's window
// under the control's window handle.
ToolKey registeredTool(intptr_t controlWindow, intptr_t formWindow, std::optional<int64_t> zoneId);
// The tool a tracking tip (Show) uses for the control: one per control, so showing again reuses it.
ToolKey trackingTool(intptr_t controlWindow, intptr_t formWindow);

struct Title {
    std::string text;
    int64_t icon = 0;
    friend bool operator==(const Title&, const Title&) = default;
};
// The tip object's own title and icon when its title is not empty, else the control's; none when both are
// empty.
std::optional<Title> tipTitle(const rt::Value& ownTitle, const rt::Value& ownIcon, const rt::Value& controlTitle,
                              const rt::Value& controlIcon);

// The text of a tracking tip: the tip object's own text when it is one, else the control's.
std::string trackingText(const rt::Value& ownText, const rt::Value& controlText);

}  // namespace vorpex::tip
