#include "framework/print/preview/preview_rules.h"

#include <algorithm>
#include <cmath>

namespace vorpex::preview {

namespace {

constexpr int kPercentItems[] = {500, 200, 150, 100, 50, 25, 10};
constexpr int kLastPercentItem = 7;
constexpr double kMaxDoubling = 2000, kMinHalving = 10;
constexpr int64_t kScreenDpi = 96, kTenthsPerInch = 254;

// Virtual keys the page view acts on.
constexpr int kPageUp = 0x21, kPageDown = 0x22, kEnd = 0x23, kHome = 0x24, kLeft = 0x25, kUp = 0x26,
              kRight = 0x27, kDown = 0x28, kShift = 0x10, kAdd = 0x6B, kSubtract = 0x6D;
constexpr int64_t kLineStep = 20, kCtrlStep = 100;

int64_t whole(double v) { return std::isfinite(v) ? static_cast<int64_t>(std::llround(v)) : 0; }

struct Size {
    int64_t width = 0, height = 0;
};

// The page's size when one side is given; the ratio is short over long, so which way it goes depends on the
// orientation.
int64_t heightFromWidth(int64_t width, const PageFacts& p) {
    return whole(p.landscape ? width * p.ratio : width / p.ratio);
}
int64_t widthFromHeight(int64_t height, const PageFacts& p) {
    return whole(p.landscape ? height / p.ratio : height * p.ratio);
}

int64_t centred(int64_t client, int64_t extent) { return std::max<int64_t>(kMargin, (client - extent) / 2); }

// The room inside the margins, never negative for a view smaller than them.
int64_t room(int64_t client) { return std::max<int64_t>(0, client - 2 * kMargin); }

Size wholePage(const PageFacts& p, int64_t w, int64_t h) {
    Size s;
    if (p.landscape) {
        s.width = room(w);
        s.height = heightFromWidth(s.width, p);
        if (s.height > room(h)) {
            s.height = room(h);
            s.width = widthFromHeight(s.height, p);
        }
    } else {
        s.height = room(h);
        s.width = widthFromHeight(s.height, p);
        if (s.width > room(w)) {
            s.width = room(w);
            s.height = heightFromWidth(s.width, p);
        }
    }
    return s;
}

// The zoom a fitted page comes to; a page of no size keeps the zoom it had.
double zoomOfWidth(int64_t width, const PageFacts& p, double zoom) {
    return p.horz100 > 0 ? 100.0 * width / p.horz100 : zoom;
}

}  // namespace

int zoomOfItem(int item) { return item >= 1 && item <= kLastPercentItem ? kPercentItems[item - 1] : 0; }

int fitModeOfItem(int item) {
    switch (item) {
    case 8: return kFitPageWidth;
    case 9: return kFitPageHeight;
    case 10: return kFitWholePage;
    default: return kFitNone;
    }
}

int itemOfZoom(double zoom) {
    for (int item = 1; item <= kLastPercentItem; ++item)
        if (zoomOfItem(item) == zoom) return item;
    return 0;
}

double usableZoom(double zoom) { return std::isfinite(zoom) && zoom > 0 ? zoom : kDefaultZoom; }

ZoomStep zoomInStep(int item, double zoom) {
    zoom = usableZoom(zoom);
    if (item >= 2 && item <= kLastPercentItem) return {item - 1, double(zoomOfItem(item - 1))};
    // Item 1 takes part too: a fitted page may stand between 200 and 500.
    for (int candidate = kLastPercentItem; candidate >= 1; --candidate)
        if (zoomOfItem(candidate) > zoom) return {candidate, double(zoomOfItem(candidate))};
    return {item, zoom};
}

ZoomStep zoomOutStep(int item, double zoom) {
    zoom = usableZoom(zoom);
    if (item >= 1 && item < kLastPercentItem) return {item + 1, double(zoomOfItem(item + 1))};
    for (int candidate = 1; candidate <= kLastPercentItem; ++candidate)
        if (zoomOfItem(candidate) < zoom) return {candidate, double(zoomOfItem(candidate))};
    return {item, zoom};
}

double doubledZoom(double zoom) {
    zoom = usableZoom(zoom);
    return zoom < kMaxDoubling ? zoom * 2 : zoom;
}

double halvedZoom(double zoom) {
    zoom = usableZoom(zoom);
    return zoom > kMinHalving ? zoom / 2 : zoom;
}

PageFacts pageFacts(int64_t mmsWidth, int64_t mmsHeight, int64_t pixelWidth, int64_t pixelHeight, int64_t dpiX,
                    int64_t dpiY) {
    PageFacts p;
    if (mmsWidth <= 0 || mmsHeight <= 0) return p;
    p.landscape = mmsHeight < mmsWidth;
    p.ratio = p.landscape ? double(mmsHeight) / mmsWidth : double(mmsWidth) / mmsHeight;
    p.horz100 = dpiX > 0 && pixelWidth > 0 ? double(pixelWidth) * kScreenDpi / dpiX : 0;
    p.vert100 = dpiY > 0 && pixelHeight > 0 ? double(pixelHeight) * kScreenDpi / dpiY : 0;
    return p;
}

PageLayout layoutPage(int fit, double zoom, const PageFacts& p, int64_t w, int64_t h) {
    PageLayout l;
    l.zoom = usableZoom(zoom);
    switch (fit) {
    case kFitWholePage: {
        const Size s = wholePage(p, w, h);
        l.width = s.width;
        l.height = s.height;
        l.left = centred(w, l.width);
        l.top = centred(h, l.height);
        l.virtualWidth = l.width;
        l.virtualHeight = l.height;
        break;
    }
    case kFitPageWidth:
        l.left = kMargin;
        l.width = room(w);
        l.height = heightFromWidth(l.width, p);
        l.top = centred(h, l.height);
        l.virtualWidth = l.width;
        l.virtualHeight = l.height + 2 * kMargin;
        break;
    case kFitPageHeight:
        l.height = room(h);
        l.width = widthFromHeight(l.height, p);
        l.left = centred(w, l.width);
        l.top = centred(h, l.height);
        l.virtualWidth = l.width + 2 * kMargin;
        l.virtualHeight = l.height;
        break;
    default:
        if (p.landscape) {
            l.height = whole(p.vert100 * l.zoom / 100);
            l.width = widthFromHeight(l.height, p);
        } else {
            l.width = whole(p.horz100 * l.zoom / 100);
            l.height = heightFromWidth(l.width, p);
        }
        l.left = centred(w, l.width);
        l.top = centred(h, l.height);
        l.virtualWidth = l.width + 2 * kMargin;
        l.virtualHeight = l.height + 2 * kMargin;
        return l;
    }
    l.zoom = usableZoom(zoomOfWidth(l.width, p, l.zoom));
    return l;
}

int64_t originForPoint(int64_t pointOnOldPage, int64_t oldExtent, int64_t newExtent, int64_t newEdge,
                       int64_t clientExtent) {
    const int64_t scaled = oldExtent > 0 ? whole(double(pointOnOldPage) * newExtent / oldExtent) : 0;
    return std::min<int64_t>(0, -scaled - newEdge + clientExtent / 2);
}

int64_t offsetAtZoom(int64_t offset100, double zoom) { return whole(offset100 * usableZoom(zoom) / 100); }

int64_t screenPixelsOfTenths(int64_t tenths) { return tenths * kScreenDpi / kTenthsPerInch; }

Rect fitOnSheet(int64_t emfWidth, int64_t emfHeight, int64_t sheetWidth, int64_t sheetHeight) {
    if (emfWidth <= 0 || emfHeight <= 0 || sheetWidth <= 0 || sheetHeight <= 0)
        return {0, 0, std::max<int64_t>(sheetWidth, 0), std::max<int64_t>(sheetHeight, 0)};
    // w / h <= ew / eh, in whole numbers.
    if (sheetWidth * emfHeight <= emfWidth * sheetHeight) {
        const int64_t height = emfHeight * sheetWidth / emfWidth;
        const int64_t top = (sheetHeight - height) / 2;
        return {0, top, sheetWidth, top + height};
    }
    const int64_t width = emfWidth * sheetHeight / emfHeight;
    const int64_t left = (sheetWidth - width) / 2;
    return {left, 0, left + width, sheetHeight};
}

bool printableRange(const PageRange& r, int64_t pageCount) {
    return r.from >= 1 && r.to <= pageCount && r.from <= r.to;
}

NavigationState navigationState(int64_t page, int64_t pageCount) { return {page > 1, page < pageCount}; }

KeyDecision keyDecision(int key, bool ctrl) {
    const int64_t step = ctrl ? kCtrlStep : kLineStep;
    switch (key) {
    case kShift: return {KeyAction::Cursor};
    case kAdd: return {KeyAction::ZoomIn};
    case kSubtract: return {KeyAction::ZoomOut};
    case kUp: return {KeyAction::Scroll, 0, -step};
    case kDown: return {KeyAction::Scroll, 0, step};
    case kLeft: return {KeyAction::Scroll, -step, 0};
    case kRight: return {KeyAction::Scroll, step, 0};
    case kPageUp: return {ctrl ? KeyAction::FirstPage : KeyAction::PreviousPage};
    case kPageDown: return {ctrl ? KeyAction::LastPage : KeyAction::NextPage};
    case kHome: return {KeyAction::FirstPage};
    case kEnd: return {KeyAction::LastPage};
    default: return {};
    }
}

int64_t scrolledOrigin(int64_t origin, int64_t delta, int64_t virtualExtent, int64_t clientExtent) {
    const int64_t lowest = std::min<int64_t>(0, clientExtent - virtualExtent);
    return std::clamp<int64_t>(origin - delta, lowest, 0);
}

}  // namespace vorpex::preview
