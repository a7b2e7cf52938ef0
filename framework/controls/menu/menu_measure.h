// The sizes of owner-drawn menu items in the five drawing styles (0 system colours, 1 OfficeXP, 2 Office2003,
// 3 Office2007, 4 Office2007EX), and where their parts go. Measuring raises the menu's shared layout (text
// margin, widest label, shortcut column), which only grows, so that every item of a pop-up lines up with the
// widest. Text sizes come measured by the caller, in the font the style uses.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorpex::menu {

struct TextSize {
    int64_t width = 0, height = 0;
};

// A menu's shared layout: nMargin, nMaxWidth and nRMargin.
struct SharedLayout {
    int64_t margin = 0, maxWidth = 0, rightMargin = 0;
};

struct MeasureInput {
    int64_t style = 0;
    bool popup = true;
    bool separator = false;
    bool hasImage = false;
    int64_t imageWidth = 0, imageHeight = 0;
    bool newWindows = true;
    int64_t checkWidth = 0;  // the system's check-mark width
    int64_t barHeight = 0;   // the system's menu-bar height
    std::string label, shortcut;
    TextSize labelSize, shortcutSize;
    bool hasMessage = false;  // style 4: a help text under the label
    TextSize messageSize;     // word-wrapped 200 pixels wide
};

struct ItemSize {
    int64_t width = 0, height = 0;
    friend bool operator==(const ItemSize&, const ItemSize&) = default;
};

// The label and shortcut of an item text: split at its first TAB.
struct ItemText {
    std::string label, shortcut;
};
ItemText splitItemText(std::string_view text);

// The item's size by its style's rule; the layout grows as the rule says. Styles outside 0-4 measure nothing.
ItemSize measureItem(const MeasureInput& in, SharedLayout& layout);

// Where the label starts in a pop-up item whose rectangle starts at `left`.
int64_t labelLeft(int64_t style, int64_t left, const SharedLayout& layout);
// Where the shortcut starts on new Windows (styles 0-3 after the widest label, style 4 at the right margin).
int64_t shortcutLeft(int64_t style, int64_t left, int64_t right, const SharedLayout& layout);
// On older Windows the shortcut is right-aligned this far from the item's right edge.
inline constexpr int64_t kOldShortcutInset = 16;
// The width of the pop-up image column of styles 1 and 2, and of styles 3 and 4.
inline constexpr int64_t kImageColumn = 24, kImageColumnWide = 26;

}  // namespace vorpex::menu
