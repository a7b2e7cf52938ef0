#include "framework/controls/rebar/rebar_rules.h"

#include <algorithm>
#include <utility>

namespace vorpex::rebar {

int64_t bandStyle(const BandFlags& flags, bool insertion) {
    int64_t style = insertion ? kVariableHeight : 0;
    if (flags.lineBreak) style |= kBreak;
    if (flags.childEdge) style |= kChildEdge;
    if (flags.fixedBitmap) style |= kFixedBitmap;
    if (flags.fixedSize) style |= kFixedSize;
    if (flags.gripper) style |= *flags.gripper ? kGripperAlways : kNoGripper;
    return style;
}

int64_t nextBandId(const std::vector<int64_t>& ids) { return ids.empty() ? 1 : ids.back() + 1; }

ChildSize childSize(int64_t controlWidth, int64_t controlHeight, std::optional<int64_t> minWidth,
                    std::optional<int64_t> idealWidth, std::optional<int64_t> height, std::optional<int64_t> minHeight,
                    bool vertical) {
    if (vertical) std::swap(controlWidth, controlHeight);
    ChildSize s;
    s.width = s.minWidth = minWidth.value_or(controlWidth);
    s.idealWidth = idealWidth.value_or(s.width);
    s.height = s.maxHeight = height.value_or(controlHeight);
    s.minHeight = minHeight.value_or(s.height);
    return s;
}

}  // namespace vorpex::rebar
