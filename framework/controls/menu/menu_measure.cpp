#include "framework/controls/menu/menu_measure.h"

#include <algorithm>

namespace vorpex::menu {

namespace {

// The label (and shortcut) part every rule shares; returns what the label adds to the item's width.
int64_t measureLabel(const MeasureInput& in, int64_t extraHeight, ItemSize& size, SharedLayout& layout) {
    if (in.label.empty()) return 0;
    const int64_t width = in.labelSize.width + (in.popup ? 8 : 0);
    layout.maxWidth = std::max(layout.maxWidth, width);
    size.height = std::max(size.height, in.labelSize.height + extraHeight);
    if (in.newWindows && in.popup && !in.shortcut.empty())
        layout.rightMargin = std::max(layout.rightMargin, in.shortcutSize.width + 8);
    return width;
}

// An image widens the image column and may make the item taller.
int64_t imageWidth(const MeasureInput& in, int64_t extraHeight, ItemSize& size) {
    if (!in.hasImage) return 0;
    size.height = std::max(size.height, in.imageHeight + extraHeight);
    return in.imageWidth + 4 + (in.popup ? 4 : 0);
}

ItemSize systemRule(const MeasureInput& in, SharedLayout& layout) {
    ItemSize size{in.popup ? in.checkWidth : 0, in.separator ? 9 : in.barHeight - 2};
    size.width += imageWidth(in, 0, size);
    layout.margin = std::max(layout.margin, size.width);
    size.width += measureLabel(in, 0, size, layout);
    if (in.popup) size.width = layout.margin + layout.maxWidth + layout.rightMargin;
    return size;
}

ItemSize officeRule(const MeasureInput& in, SharedLayout& layout) {
    const int64_t extra = in.style == 3 ? 2 : 0;
    ItemSize size{0, in.separator ? 9 : in.barHeight + extra};
    size.width = imageWidth(in, 2, size);
    // An item without image gets the column; a narrower image column is widened by it.
    if (in.popup && size.width < kImageColumn) size.width += kImageColumn;
    layout.margin = std::max(layout.margin, size.width);
    size.width += measureLabel(in, 0, size, layout);
    if (in.popup) size.width = extra + layout.margin + layout.maxWidth + layout.rightMargin + 4;
    return size;
}

ItemSize captionRule(const MeasureInput& in, SharedLayout& layout) {
    ItemSize size{0, in.separator ? 5 : in.barHeight + 4};
    size.width = imageWidth(in, 2, size);
    if (in.popup && size.width < kImageColumn) size.width = kImageColumn;
    layout.margin = std::max(layout.margin, size.width);
    size.width += measureLabel(in, 4, size, layout);
    int64_t messageWidth = 0;
    if (in.hasMessage) {
        size.height += in.messageSize.height;
        messageWidth = in.messageSize.width;
    }
    if (in.popup) size.width = std::max(messageWidth, layout.maxWidth + layout.rightMargin) + layout.margin + 6;
    return size;
}

}  // namespace

ItemText splitItemText(std::string_view text) {
    const size_t tab = text.find('\t');
    if (tab == std::string_view::npos) return {std::string(text), {}};
    return {std::string(text.substr(0, tab)), std::string(text.substr(tab + 1))};
}

ItemSize measureItem(const MeasureInput& in, SharedLayout& layout) {
    switch (in.style) {
        case 0: return systemRule(in, layout);
        case 1:
        case 2:
        case 3: return officeRule(in, layout);
        case 4: return captionRule(in, layout);
        default: return {};
    }
}

int64_t labelLeft(int64_t style, int64_t left, const SharedLayout& layout) {
    if (style == 0) return left + layout.margin;
    return left + layout.margin + (style == 4 ? 10 : 8);
}

int64_t shortcutLeft(int64_t style, int64_t left, int64_t right, const SharedLayout& layout) {
    if (style == 4) return right - layout.rightMargin;
    return left + layout.margin + layout.maxWidth + (style == 0 ? 0 : 8);
}

}  // namespace vorpex::menu
