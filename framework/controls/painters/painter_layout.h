// The arithmetic of the further control painters, apart from any device context so that it is tested
// natively: the splitter's gripper, the track bar's custom-draw answers, the explorer bar's groups and glyphs,
// the option list's rows, the tab outline and the split button's states and content placement.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "framework/core/native/geometry.h"

namespace vorpex::painters {

// ---- splitter ----

// The gripper of a splitter of client size width x height aligned by `align` (1/3 upright, 2/4 lying): with
// visual styles the theme's 6 x 38 part, without them a 2 x 32 raised outline; any other alignment has no
// themed gripper and a classic outline around the whole client area.
std::optional<Rect> gripperRect(int64_t width, int64_t height, int64_t align, bool themed);
// The theme part of that gripper: 1 upright, 2 lying.
int gripperPart(int64_t align);

// ---- track bar ----

inline constexpr int kCustomDrawCode = -12;  // NM_CUSTOMDRAW
inline constexpr unsigned kPrePaint = 1, kItemPrePaint = 0x10001;
inline constexpr unsigned kThumbPart = 2, kChannelPart = 3;

enum class TrackBarBackground { None, ClippedToThumbBottom, Whole };
struct TrackBarAnswer {
    std::optional<int64_t> answer;  // none: the runtime's return value is left alone
    TrackBarBackground background = TrackBarBackground::None;
    friend bool operator==(const TrackBarAnswer&, const TrackBarAnswer&) = default;
};
// A transparent track bar asks for each part and lays the parent's background under the tics and the channel
// (the channel's only down to the thumb's bottom); the thumb itself is left to Windows.
TrackBarAnswer trackBarCustomDraw(int64_t code, unsigned stage, unsigned part, bool transparent);

// ---- explorer bar ----

inline constexpr int kGroupHeader = 25, kIconRise = 7;

struct ExplorerGroup {
    bool visible = true;
    bool icon = false;
    bool expanded = false;
    std::optional<int64_t> controlHeight;  // the height of the group's control, when it has one
};
struct ExplorerBarLayout {
    Rect pane;                               // the background, covering the whole virtual height
    std::vector<std::optional<Rect>> groups;  // one per item; none for a hidden group or no room
};
// Groups stacked from the top of the (scrolled) client area, `spacing` apart and in from the sides.
ExplorerBarLayout explorerBarLayout(const Rect& client, int64_t clientTop, int64_t virtualHeight, int64_t spacing,
                                    const std::vector<ExplorerGroup>& items);

// A packed 8 x 8 one-bit DIB (header, black and white colour table, rows bottom-up): two upward chevrons for
// an expanded group's collapse button, two downward ones for a collapsed group's expand button.
using PackedGlyph = std::array<uint8_t, 40 + 8 + 32>;
const PackedGlyph& explorerGlyph(bool collapse);

// ---- option list ----

inline constexpr int kSeparator = -1, kImageItem = 0, kRadioItem = 2, kTextItem = 3;
inline constexpr int kMaxOptionDepth = 16;  // an item listed inside itself stops here instead of overflowing

struct OptionItem {
    std::string text;
    int64_t type = kImageItem;
    bool multiline = false;
    bool enabled = true;
    int64_t image = 0, imageDisabled = 0;
    bool checked = false;
    bool expanded = false;
    int64_t childIndent = 0;
    std::vector<OptionItem> children;
};

struct OptionRow {
    const OptionItem* item = nullptr;
    int64_t index = 0;  // 1-based, counting as nHotItem counts
    bool hot = false;
    Rect row;           // the full client width, the row's height
    Rect contents;      // where the text goes (the separator's line at its top)
    Rect glyph;         // the radio or check box, empty for the other kinds
    Point image;        // where an item's image goes
    int64_t textOffset = 0;  // a multi-line text lower than the row is centred in it
};

struct OptionListMetrics {
    Rect client;
    int64_t left = 0, top = 0;   // nLeftMargin, nClientTop + nTopMargin
    int64_t itemHeight = 0;      // the larger of nItemHeight and the font's height
    int64_t imageWidth = 0, imageHeight = 16;
    int64_t hotItem = 0;
};
// The height of an item's multi-line text wrapped between left and right.
using MeasureText = std::function<int64_t(const OptionItem& item, int64_t left, int64_t right)>;
// The rows to draw, top to bottom, expanded children under their item; rows stop once one would start below
// the client area. The index counts every row drawn and, for a collapsed item, its direct children.
std::vector<OptionRow> optionListRows(const std::vector<OptionItem>& items, const OptionListMetrics& metrics,
                                      const MeasureText& measure);

// ---- tabs ----

// The height of a tab: the font's character height or the image's, plus 5.
int64_t tabHeight(int64_t characterHeight, int64_t imageHeight);
struct TabOutline {
    std::array<Point, 4> points;  // p0 and p3 on the wide edge, p1 and p2 on the narrow one
    int64_t nextX = 0;            // where the next tab starts: neighbours overlap by the padding
};
// Orientation 0 points the tabs up (narrow edge at `top`), any other hangs them down.
TabOutline tabOutline(int64_t left, int64_t top, int64_t pad, int64_t textWidth, int64_t imageWidth, bool image,
                      int64_t tabHeight, int64_t orientation);

// ---- split button ----

struct SplitButtonState {
    unsigned frameFlags = 0;  // DrawFrameControl's DFCS_ flags
    int themeState = 1;       // PBS_ state of the push-button part
    int image = 0;            // 0 normal, 1 hot, 2 pressed, 3 disabled
    bool shift = false;       // the pressed look of a flat or unthemed face: contents one pixel down and right
    friend bool operator==(const SplitButtonState&, const SplitButtonState&) = default;
};
SplitButtonState splitButtonState(bool isDefault, bool hot, bool pressed, bool disabled, bool flat, bool themed);

struct SplitButtonContent {
    std::optional<Point> image;
    Rect text;
};
// Image and caption inside `inner` by orientation (0 image above, 1 below, 2 left, 3 right; any other: the image
// centred), `margin` -1 sharing the free space in three equal gaps; then the caption's rectangle aligned
// vertically (0 top, 1 centre, 2 bottom) for its height `textHeight`.
SplitButtonContent splitButtonContent(const Rect& inner, int64_t imageWidth, int64_t imageHeight, bool images,
                                      int64_t textWidth, int64_t textHeight, bool text, int64_t margin,
                                      int64_t orientation, int64_t vAlignment);

}  // namespace vorpex::painters
