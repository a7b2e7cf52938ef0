// The arithmetic of controls, kept apart from windows so that it is tested natively: scaling of design
// bounds, anchor margins and the layout of a container's children, style bits, signed mouse coordinates,
// the drag rectangle, the keyboard decisions and the route of a WM_COMMAND.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace vorpex::ctl {

// ---- bounds and scaling

struct Bounds {
    int64_t left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// CW_USEDEFAULT, as a program may pass it: the 32-bit pattern read unsigned or signed.
bool isUseDefault(int64_t v);
// One value at `percent` (MulDiv: rounded half away from zero). CW_USEDEFAULT passes unchanged.
int64_t scaleValue(int64_t v, int percent);
Bounds scaleBounds(const Bounds& b, int percent);

// ---- anchors

inline constexpr int kAnchorLeft = 1, kAnchorTop = 2, kAnchorRight = 4, kAnchorBottom = 8;
inline constexpr int kDefaultAnchors = kAnchorLeft | kAnchorTop;

// The two margins of one axis, each signed: a child may start outside its parent's client area, or the
// parent may still measure 0, and the far margin is then negative.
struct Margins {
    int64_t nearSide = 0, farSide = 0;
    friend bool operator==(const Margins&, const Margins&) = default;
};

// The margins recorded at the current bounds: {pos, extent - pos - size - 1}.
Margins anchorMargins(int64_t pos, int64_t size, int64_t parentExtent);

struct Span {
    int64_t pos = 0, size = 0;
    friend bool operator==(const Span&, const Span&) = default;
};

// One axis of an anchored child in a parent of `extent`: both anchors stretch it, the far one alone keeps the
// far margin, neither keeps it centred in the free space (the halving an arithmetic shift), the near one alone
// keeps it where it is.
Span anchoredSpan(const Margins& m, int64_t extent, int64_t size, bool nearAnchor, bool farAnchor);

// ---- container layout

inline constexpr int alNONE = 0, alLEFT = 1, alTOP = 2, alRIGHT = 3, alBOTTOM = 4, alCLIENT = 5;

// SetWindowPos flags the layout uses: size only, position only, both (never z-order or activation), and the
// plain move of a child that keeps its own place.
inline constexpr unsigned kSizeOnly = 0x16, kMoveOnly = 0x15, kMoveAndSize = 0x14, kOffsetMove = 0x415;

// The working rectangle as left, top, right, bottom (the container's client origin and size).
struct Edges {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Edges&, const Edges&) = default;
};

struct LayoutChild {
    bool visible = true;
    int align = alNONE;
    int anchors = kDefaultAnchors;
    Margins x, y;   // recorded anchor margins
    Bounds stored;  // nLeft, nTop, nWidth, nHeight
    Bounds window;  // where the window is now, in the container's client coordinates
};

enum class LayoutAction {
    Realign,     // the child keeps its place and lays out its own children
    OffsetMove,  // moved to its stored place plus the origin (kOffsetMove) and repainted
    Place,       // moved and/or sized to `next` with `flags`
};

struct LayoutStep {
    size_t index = 0;
    LayoutAction action = LayoutAction::Realign;
    Bounds next;
    unsigned flags = 0;
    friend bool operator==(const LayoutStep&, const LayoutStep&) = default;
};

// What AlignControls does to each visible child, in order. Children whose new rectangle equals the current
// one get no step.
std::vector<LayoutStep> alignControls(const Edges& working, bool offset, std::span<const LayoutChild> children);

// The SetWindowPos flags for moving from `now` to `next`; 0 when nothing changes.
unsigned placeFlags(const Bounds& now, const Bounds& next);

// ---- style bits

inline int64_t changeBits(int64_t style, int64_t bits, bool on) { return on ? (style | bits) : (style & ~bits); }
inline int64_t replaceBits(int64_t style, int64_t oldBits, int64_t newBits) { return (style & ~oldBits) | newBits; }
inline bool hasAnyBit(int64_t style, int64_t bits) { return (style & bits) != 0; }

// Border and 3-D edge of a standard control: {style, exStyle} after SetBorder / Set3D.
struct StylePair {
    int64_t style = 0, exStyle = 0;
    friend bool operator==(const StylePair&, const StylePair&) = default;
};
inline constexpr int64_t kWsBorder = 0x800000, kWsExClientEdge = 0x200, kWsTabStop = 0x10000,
                         kWsExControlParent = 0x10000;
StylePair borderStyles(StylePair s, bool border, bool threeD);

// ---- mouse and keyboard

// The coordinates of a mouse message, each a signed 16-bit number: a captured mouse left of or above the
// window gives negative values.
inline int64_t mouseX(int64_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
inline int64_t mouseY(int64_t lParam) { return static_cast<int16_t>((lParam >> 16) & 0xFFFF); }

// The rectangle around the last left-button press: a move outside it begins a drag.
struct DragRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    static DragRect around(int64_t x, int64_t y, int64_t halfWidth, int64_t halfHeight) {
        return {x - halfWidth, y - halfHeight, x + halfWidth, y + halfHeight};
    }
    // PtInRect: the right and bottom edges are outside.
    bool contains(int64_t x, int64_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

inline constexpr int64_t kDlgcWantArrows = 1, kDlgcWantTab = 2, kDlgcWantAllKeys = 4;

enum class FocusMove { None, Next, Previous };

// The arrow keys: Down and Right move forward, Up and Left back, unless the control wants arrows, tabs or
// all keys.
FocusMove arrowMove(int64_t key, int64_t dialogCode);
// The Tab character: nothing when the control wants tabs or all keys, else back with Shift, forward without.
FocusMove tabMove(int64_t dialogCode, bool shift);

// ---- WM_COMMAND

enum class CommandRoute { Menu, Accelerator, Child, None };
// Code and identifier are the high and low words of wParam; lParam is the sending window.
CommandRoute commandRoute(int64_t notifyCode, intptr_t sender, intptr_t self);

}  // namespace vorpex::ctl
