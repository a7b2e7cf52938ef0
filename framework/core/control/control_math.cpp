#include "framework/core/control/control_math.h"

#include <algorithm>
#include <climits>

#include "framework/core/app/scale.h"

namespace vorpex::ctl {

namespace {

int toInt(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

bool isUseDefault(int64_t v) { return v == 0x80000000LL || v == INT32_MIN; }

int64_t scaleValue(int64_t v, int percent) {
    if (percent == 100 || isUseDefault(v)) return v;
    return mulDiv(toInt(v), percent, 100);
}

Bounds scaleBounds(const Bounds& b, int percent) {
    return {scaleValue(b.left, percent), scaleValue(b.top, percent), scaleValue(b.width, percent),
            scaleValue(b.height, percent)};
}

Margins anchorMargins(int64_t pos, int64_t size, int64_t parentExtent) {
    return {pos, parentExtent - pos - size - 1};
}

Span anchoredSpan(const Margins& m, int64_t extent, int64_t size, bool nearAnchor, bool farAnchor) {
    if (nearAnchor && farAnchor) return {m.nearSide, extent - m.nearSide - m.farSide - 1};
    if (farAnchor) return {extent - m.farSide - size - 1, size};
    if (!nearAnchor) return {m.nearSide + ((extent - m.nearSide - m.farSide - size - 1) >> 1), size};
    return {m.nearSide, size};
}

unsigned placeFlags(const Bounds& now, const Bounds& next) {
    const bool moved = now.left != next.left || now.top != next.top;
    const bool sized = now.width != next.width || now.height != next.height;
    if (moved && sized) return kMoveAndSize;
    if (moved) return kMoveOnly;
    if (sized) return kSizeOnly;
    return 0;
}

namespace {

// The rectangle of an aligned child; shrinks the working rectangle by its share.
Bounds alignedBounds(int align, Edges& w, const Edges& origin, bool offset, const Bounds& size) {
    const int64_t originLeft = offset ? origin.left : 0;
    const int64_t originTop = offset ? origin.top : 0;
    Bounds b;
    switch (align) {
        case alLEFT:
            b = {w.left, w.top, size.width, w.bottom - w.top};
            w.left += size.width;
            break;
        case alTOP:
            b = {w.left, w.top, w.right - w.left, size.height};
            w.top += size.height;
            break;
        case alRIGHT:
            b = {w.right - size.width + originLeft, w.top, size.width, w.bottom + originTop - w.top};
            w.right -= size.width;
            break;
        case alBOTTOM:
            b = {w.left, w.bottom - size.height + originTop, w.right + originLeft - w.left, size.height};
            w.bottom -= size.height;
            break;
        default:  // alCLIENT: the rest; nothing remains for later children
            b = {w.left, w.top, w.right - w.left, w.bottom - w.top};
            w = {-1, -1, -1, -1};
            break;
    }
    return b;
}

Bounds anchoredBounds(const LayoutChild& c, const Edges& origin) {
    const int64_t width = origin.right - origin.left;
    const int64_t height = origin.bottom - origin.top;
    const Span x = anchoredSpan(c.x, width, c.stored.width, c.anchors & kAnchorLeft, c.anchors & kAnchorRight);
    const Span y = anchoredSpan(c.y, height, c.stored.height, c.anchors & kAnchorTop, c.anchors & kAnchorBottom);
    return {x.pos + origin.left, y.pos + origin.top, x.size, y.size};
}

}  // namespace

std::vector<LayoutStep> alignControls(const Edges& working, bool offset, std::span<const LayoutChild> children) {
    std::vector<LayoutStep> steps;
    const Edges origin = working;
    Edges w = working;
    for (size_t i = 0; i < children.size(); ++i) {
        const LayoutChild& c = children[i];
        if (!c.visible) continue;
        Bounds next;
        if (c.align == alNONE && c.anchors == kDefaultAnchors) {
            if (!offset) {
                steps.push_back({i, LayoutAction::Realign, c.window, 0});
                continue;
            }
            next = {c.stored.left + origin.left, c.stored.top + origin.top, c.stored.width, c.stored.height};
            steps.push_back({i, LayoutAction::OffsetMove, next, kOffsetMove});
            continue;
        }
        if (c.align == alNONE)
            next = anchoredBounds(c, origin);
        else if (c.align >= alLEFT && c.align <= alCLIENT)
            next = alignedBounds(c.align, w, origin, offset, c.stored);
        else
            continue;
        if (unsigned flags = placeFlags(c.window, next)) steps.push_back({i, LayoutAction::Place, next, flags});
    }
    return steps;
}

StylePair borderStyles(StylePair s, bool border, bool threeD) {
    s.style = changeBits(s.style, kWsBorder, border);
    if (threeD && border) {
        s.style &= ~kWsBorder;
        s.exStyle |= kWsExClientEdge;
    } else {
        s.exStyle &= ~kWsExClientEdge;
    }
    return s;
}

FocusMove arrowMove(int64_t key, int64_t dialogCode) {
    if (dialogCode & (kDlgcWantArrows | kDlgcWantTab | kDlgcWantAllKeys)) return FocusMove::None;
    if (key == 40 || key == 39) return FocusMove::Next;      // VK_DOWN, VK_RIGHT
    if (key == 38 || key == 37) return FocusMove::Previous;  // VK_UP, VK_LEFT
    return FocusMove::None;
}

FocusMove tabMove(int64_t dialogCode, bool shift) {
    if (dialogCode & (kDlgcWantTab | kDlgcWantAllKeys)) return FocusMove::None;
    return shift ? FocusMove::Previous : FocusMove::Next;
}

CommandRoute commandRoute(int64_t notifyCode, intptr_t sender, intptr_t self) {
    if (sender == 0) {
        if (notifyCode == 0) return CommandRoute::Menu;
        if (notifyCode == 1) return CommandRoute::Accelerator;
        return CommandRoute::None;
    }
    return sender == self ? CommandRoute::None : CommandRoute::Child;
}

}  // namespace vorpex::ctl
