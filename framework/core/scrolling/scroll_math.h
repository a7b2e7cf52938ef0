// The arithmetic of the scrolling container: the virtual size its children need, the client origin kept
// within the content, the position a scroll request leads to and what a wheel turn scrolls.
#pragma once

#include <cstdint>
#include <optional>

namespace vorpex::scroll {

// The content size grown child by child (ProcessControl), with the room taken by bottom- and right-aligned
// children.
struct VirtualSize {
    int64_t width = 0, height = 0;
    int64_t extraWidth = 0, extraHeight = 0;
    friend bool operator==(const VirtualSize&, const VirtualSize&) = default;
};

struct ChildBox {
    int align = 0;    // alNONE 0 .. alCLIENT 5
    int anchors = 3;  // 1 left, 2 top, 4 right, 8 bottom
    int64_t left = 0, top = 0, width = 0, height = 0;
};

void processControl(VirtualSize& v, const ChildBox& child);

// One axis of Adjust: the origin (0 or negative) moved back when the view lies past the content's end,
// never above 0, and the scroll bar's range, page and position.
struct AxisState {
    int64_t origin = 0;   // nClientTop / nClientLeft
    int64_t virtualExtent = 0;
    int64_t clientExtent = 0;
};
struct AxisAdjust {
    int64_t origin = 0;
    bool moved = false;
    int64_t rangeMax = 0;  // range 0 .. virtual - 1
    int64_t page = 0;
    int64_t position = 0;
    bool needed = false;   // lVScroll / lHScroll
};
AxisAdjust adjustAxis(const AxisState& s);

// What a scroll bar reports.
struct BarState {
    int64_t position = 0, page = 0, min = 0, max = 0, track = 0;
};

inline constexpr int kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3, kThumbPosition = 4, kThumbTrack = 5;

// The position a bar really takes for a requested one: within [min, max - page + 1] (a page of 0 counts as 1).
int64_t clampPosition(int64_t requested, const BarState& bar);

// The position a scroll code leads to: the event's numeric answer when it gave one, else the line step, the
// page or the track position; clamped to [min, max - page + 1]. Nothing for codes that do not scroll.
std::optional<int64_t> scrollTarget(int code, std::optional<int64_t> eventAnswer, const BarState& bar,
                                    int64_t increment);
// The value handed to the scroll code's event: the current position, the track position for the thumb codes.
int64_t scrollEventArgument(int code, const BarState& bar);

// A wheel turn: one line, whatever the delta's size, vertically unless Shift is held or there is no vertical
// bar, in which case horizontally when there is a horizontal bar.
enum class WheelAxis { None, Vertical, Horizontal };
struct WheelStep {
    WheelAxis axis = WheelAxis::None;
    int code = 0;  // SB_LINEUP/SB_LINELEFT 0 or SB_LINEDOWN/SB_LINERIGHT 1
    friend bool operator==(const WheelStep&, const WheelStep&) = default;
};
WheelStep wheelStep(int delta, bool shift, bool verticalBar, bool horizontalBar);

}  // namespace vorpex::scroll
