// The rebar's decisions, apart from the window: a band's native style bits, band identifiers, the size a band
// gives its child and the size a parent is told after the rebar's height changed.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace vorpex::rebar {

// Native band styles.
inline constexpr int64_t kBreak = 1, kFixedSize = 2, kChildEdge = 4, kFixedBitmap = 32, kVariableHeight = 64,
                         kGripperAlways = 128, kNoGripper = 256;

struct BandFlags {
    bool lineBreak = false, childEdge = false, fixedBitmap = false, fixedSize = false;
    std::optional<bool> gripper;  // none: the control decides
};

// The style of a band; the variable-height bit only when it is inserted.
int64_t bandStyle(const BandFlags& flags, bool insertion);

// The identifier of a new band: 1 for the first, else one more than the last band's, so identifiers keep
// growing after a band in the middle goes.
int64_t nextBandId(const std::vector<int64_t>& ids);

// What a band gives its child: width, minimum width, ideal width, height, minimum and maximum height.
struct ChildSize {
    int64_t width = 0, minWidth = 0, idealWidth = 0, height = 0, minHeight = 0, maxHeight = 0;
    friend bool operator==(const ChildSize&, const ChildSize&) = default;
};
// From the control's size and what the caller gives; a vertical rebar exchanges width and height.
ChildSize childSize(int64_t controlWidth, int64_t controlHeight, std::optional<int64_t> minWidth,
                    std::optional<int64_t> idealWidth, std::optional<int64_t> height, std::optional<int64_t> minHeight,
                    bool vertical);

}  // namespace vorpex::rebar
