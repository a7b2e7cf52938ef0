#include "framework/core/scrolling/scroll_math.h"

#include <algorithm>

namespace vorpex::scroll {

namespace {
constexpr int kAlignNone = 0, kAlignLeft = 1, kAlignTop = 2, kAlignRight = 3, kAlignBottom = 4;
constexpr int kAnchorRight = 4, kAnchorBottom = 8;
}  // namespace

void processControl(VirtualSize& v, const ChildBox& c) {
    switch (c.align) {
        case kAlignNone:
            if (!(c.anchors & kAnchorBottom)) v.height = std::max(v.height, c.top + c.height + v.extraHeight);
            if (!(c.anchors & kAnchorRight)) v.width = std::max(v.width, c.left + c.width + v.extraWidth);
            break;
        case kAlignTop: v.height = std::max(v.height, c.top + c.height); break;
        case kAlignLeft: v.width = std::max(v.width, c.left + c.width); break;
        case kAlignBottom:
            v.extraHeight += c.height;
            v.height += c.height;
            break;
        case kAlignRight:
            v.extraWidth += c.width;
            v.width += c.width;
            break;
        default: break;  // client-aligned children fill whatever there is
    }
}

AxisAdjust adjustAxis(const AxisState& s) {
    AxisAdjust a;
    a.origin = s.origin;
    if (s.origin + s.virtualExtent < s.clientExtent) {
        a.origin = std::min<int64_t>(s.clientExtent - s.virtualExtent, 0);
        a.moved = a.origin != s.origin;
    }
    a.rangeMax = s.virtualExtent - 1;
    a.page = s.clientExtent;
    a.position = -a.origin;
    a.needed = s.virtualExtent > s.clientExtent;
    return a;
}

int64_t scrollEventArgument(int code, const BarState& bar) {
    return code == kThumbPosition || code == kThumbTrack ? bar.track : bar.position;
}

std::optional<int64_t> scrollTarget(int code, std::optional<int64_t> answer, const BarState& bar,
                                    int64_t increment) {
    int64_t next = 0;
    switch (code) {
        case kLineUp: next = bar.position - increment; break;
        case kLineDown: next = bar.position + increment; break;
        case kPageUp: next = bar.position - bar.page; break;
        case kPageDown: next = bar.position + bar.page; break;
        case kThumbPosition:
        case kThumbTrack: next = bar.track; break;
        default: return std::nullopt;
    }
    if (answer) next = *answer;
    return clampPosition(next, bar);
}

int64_t clampPosition(int64_t requested, const BarState& bar) {
    const int64_t last = bar.max - std::max<int64_t>(bar.page, 1) + 1;
    return std::clamp(requested, bar.min, std::max(bar.min, last));
}

WheelStep wheelStep(int delta, bool shift, bool verticalBar, bool horizontalBar) {
    if (delta == 0) return {};
    const int code = delta < 0 ? 1 : 0;
    if (shift || !verticalBar) return horizontalBar ? WheelStep{WheelAxis::Horizontal, code} : WheelStep{};
    return WheelStep{WheelAxis::Vertical, code};
}

}  // namespace vorpex::scroll
