#include "framework/controls/painters/painter_layout.h"

#include <algorithm>

namespace vorpex::painters {

namespace {

bool upright(int64_t align) { return align == 1 || align == 3; }
bool lying(int64_t align) { return align == 2 || align == 4; }

// A rectangle of w x h centred in a client area of width x height (arithmetic shifts, as the painters round).
Rect centred(int64_t width, int64_t height, int64_t w, int64_t h) {
    const int64_t left = (width - w) >> 1, top = (height - h) >> 1;
    return {left, top, left + w, top + h};
}

}  // namespace

std::optional<Rect> gripperRect(int64_t width, int64_t height, int64_t align, bool themed) {
    const int64_t thick = themed ? 6 : 2, length = themed ? 38 : 32;
    if (upright(align)) return centred(width, height, thick, length);
    if (lying(align)) return centred(width, height, length, thick);
    if (themed) return std::nullopt;
    return Rect{0, 0, width, height};
}

int gripperPart(int64_t align) { return upright(align) ? 1 : 2; }

TrackBarAnswer trackBarCustomDraw(int64_t code, unsigned stage, unsigned part, bool transparent) {
    if (code != kCustomDrawCode) return {};
    if (stage == kPrePaint) return transparent ? TrackBarAnswer{32} : TrackBarAnswer{};
    if (stage != kItemPrePaint || part == kThumbPart) return {0};
    return {0, part == kChannelPart ? TrackBarBackground::ClippedToThumbBottom : TrackBarBackground::Whole};
}

ExplorerBarLayout explorerBarLayout(const Rect& client, int64_t clientTop, int64_t virtualHeight, int64_t spacing,
                                    const std::vector<ExplorerGroup>& items) {
    ExplorerBarLayout layout;
    layout.pane = client;
    layout.pane.top = clientTop;
    layout.pane.bottom = std::max(layout.pane.bottom, clientTop + virtualHeight);
    layout.groups.resize(items.size());
    Rect next{layout.pane.left + spacing, layout.pane.top + spacing, layout.pane.right - spacing, layout.pane.bottom};
    if (next.left >= next.right) return layout;
    for (size_t i = 0; i < items.size(); ++i) {
        const ExplorerGroup& item = items[i];
        if (!item.visible) continue;
        Rect group = next;
        group.bottom = group.top + kGroupHeader + (item.icon ? kIconRise : 0);
        if (item.expanded && item.controlHeight) group.bottom += *item.controlHeight + 2;
        layout.groups[i] = group;
        next.top = group.bottom + spacing;
    }
    return layout;
}

const PackedGlyph& explorerGlyph(bool collapse) {
    // Rows top to bottom; 1 is the white background, 0 the black chevron.
    static constexpr std::array<uint8_t, 8> kCollapse = {0xF7, 0xE3, 0xC9, 0x9C, 0xF7, 0xE3, 0xC9, 0x9C};
    static constexpr std::array<uint8_t, 8> kExpand = {0x9C, 0xC9, 0xE3, 0xF7, 0x9C, 0xC9, 0xE3, 0xF7};
    static const auto pack = [](const std::array<uint8_t, 8>& rows) {
        PackedGlyph g{};
        const auto put32 = [&g](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i) g[at + i] = static_cast<uint8_t>(v >> (8 * i));
        };
        put32(0, 40);  // biSize
        put32(4, 8);   // biWidth
        put32(8, 8);   // biHeight: positive, rows bottom-up
        g[12] = 1;     // biPlanes
        g[14] = 1;     // biBitCount
        put32(20, 32);  // biSizeImage
        put32(32, 2);   // biClrUsed
        put32(44, 0x00FFFFFF);  // colour 1 white (colour 0 stays black)
        for (size_t row = 0; row < 8; ++row) g[48 + 4 * (7 - row)] = rows[row];
        return g;
    };
    static const PackedGlyph collapseGlyph = pack(kCollapse), expandGlyph = pack(kExpand);
    return collapse ? collapseGlyph : expandGlyph;
}

namespace {

struct OptionWalk {
    const OptionListMetrics& m;
    const MeasureText& measure;
    std::vector<OptionRow> rows;
    int64_t index = 1, left = 0, top = 0;

    void level(const std::vector<OptionItem>& items, int depth) {
        for (const OptionItem& item : items) {
            if (top > m.client.bottom) return;
            const int64_t step = row(item);
            if (item.children.empty()) continue;
            if (!item.expanded) {
                index += static_cast<int64_t>(item.children.size());
            } else if (depth + 1 < kMaxOptionDepth) {
                left += step + item.childIndent;
                level(item.children, depth + 1);
                left -= step + item.childIndent;
            }
        }
    }

    // Lays out one row and moves past it; answers the indent step its children take.
    int64_t row(const OptionItem& item) {
        int64_t step = 18, height = m.itemHeight;
        if (item.type == kSeparator) height = 8;
        if (item.type == kImageItem) height = std::max(height, m.imageHeight);
        OptionRow r;
        r.item = &item;
        r.index = index;
        r.hot = index == m.hotItem && item.enabled && item.type != kSeparator;
        r.contents = {left, top, m.client.right - 4, top + height};
        if (item.type == kImageItem) {
            r.image = {left, top + (height - m.imageHeight) / 2};
            step = m.imageWidth == 0 ? 0 : m.imageWidth + 4;
            r.contents.left += step;
        } else if (item.type == kSeparator) {
            r.contents.top = top + 4;
            r.contents.right -= 6;
        } else if (item.type != kTextItem) {
            r.glyph = {left, top, left + 13, top + height};
            r.contents.left = left + 17;
        }
        // The hot background and the glyph take the row's own height; a taller wrapped text only pushes the
        // next row down.
        r.row = {m.client.left, top, m.client.right, top + height};
        if (item.type != kSeparator && item.multiline) {
            if (r.contents.left >= r.contents.right) r.contents.right = r.contents.left + 1;
            const int64_t textHeight = measure ? measure(item, r.contents.left, r.contents.right) : 0;
            if (textHeight > height) {
                height = textHeight;
            } else {
                r.textOffset = (height - textHeight) >> 1;
            }
            r.contents.bottom = top + height;
        }
        rows.push_back(r);
        top += height + 2;
        ++index;
        return step;
    }
};

}  // namespace

std::vector<OptionRow> optionListRows(const std::vector<OptionItem>& items, const OptionListMetrics& metrics,
                                      const MeasureText& measure) {
    OptionWalk walk{metrics, measure, {}, 1, metrics.left, metrics.top};
    walk.level(items, 0);
    return std::move(walk.rows);
}

int64_t tabHeight(int64_t characterHeight, int64_t imageHeight) {
    return std::max(characterHeight + 5, imageHeight + 5);
}

TabOutline tabOutline(int64_t left, int64_t top, int64_t pad, int64_t textWidth, int64_t imageWidth, bool image,
                      int64_t height, int64_t orientation) {
    const int64_t extra = image ? imageWidth + 5 : 3;
    const int64_t narrowEdge = orientation == 0 ? top : height, wideEdge = orientation == 0 ? height : top;
    TabOutline t;
    t.points = {Point{left, wideEdge}, Point{left + pad, narrowEdge}, Point{left + pad + textWidth + extra, narrowEdge},
                Point{left + pad + textWidth + extra + pad, wideEdge}};
    t.nextX = t.points[2].x;
    return t;
}

SplitButtonState splitButtonState(bool isDefault, bool hot, bool pressed, bool disabled, bool flat, bool themed) {
    constexpr unsigned kPushAdjust = 0x2010, kPushed = 0x200, kInactive = 0x100;
    SplitButtonState s{kPushAdjust, 1, 0, false};
    if (isDefault) s.themeState = 5;
    if (hot) s.image = 1, s.themeState = 2;
    if (pressed) {
        s.frameFlags |= kPushed, s.themeState = 3, s.image = 2;
    } else if (disabled) {
        s.frameFlags |= kInactive, s.themeState = 4, s.image = 3;
    }
    s.shift = pressed && (flat || !themed);
    return s;
}

SplitButtonContent splitButtonContent(const Rect& inner, int64_t iw, int64_t ih, bool images, int64_t tw,
                                      int64_t th, bool text, int64_t margin, int64_t orientation,
                                      int64_t vAlignment) {
    SplitButtonContent c{std::nullopt, inner};
    Rect& t = c.text;
    const bool sideways = orientation == 2 || orientation == 3;
    if (images && !text) {
        c.image = Point{(inner.left + inner.right - iw) >> 1, (inner.top + inner.bottom - ih) >> 1};
    } else if (images) {
        const int64_t m = margin != -1 ? margin : sideways ? (inner.width() - iw - tw) / 3 : (inner.height() - ih - th) / 3;
        switch (orientation) {
            case 0: c.image = Point{(inner.left + inner.right - iw) >> 1, inner.top + m}; t.top += m + ih; break;
            case 1: c.image = Point{(inner.left + inner.right - iw) >> 1, inner.bottom - ih - m}; t.bottom = c.image->y; break;
            case 2: c.image = Point{inner.left + m, (inner.top + inner.bottom - ih) >> 1}; t.left += m + iw; break;
            case 3: c.image = Point{inner.right - iw - m, (inner.top + inner.bottom - ih) >> 1}; t.right = c.image->x; break;
            default: c.image = Point{(inner.left + inner.right - iw) >> 1, (inner.top + inner.bottom - ih) >> 1}; break;
        }
    }
    if (vAlignment == 1) {
        t.bottom = (t.top + t.bottom + th) / 2;
        t.top = t.bottom - th;
    } else if (vAlignment == 2) {
        t.top = t.bottom - th;
    }
    return c;
}

}  // namespace vorpex::painters
