// The print preview's decisions, apart from its windows: the zoom box's items and its steps, the page's size
// at 100 %, where the page goes in the view in each fit mode, where a printed page goes on the sheet, which
// page ranges print, which navigation buttons are enabled and what a key does in the page view.
#pragma once

#include <cstdint>
#include <optional>

namespace vorpex::preview {

// The zoom box: items 1 to 7 are percentages, 8 page width, 9 page height, 10 whole page.
inline constexpr int kZoomItemCount = 10;
inline constexpr int kFirstFitItem = 8;
// nFitInPage values.
inline constexpr int kFitNone = 0, kFitWholePage = 1, kFitPageWidth = 2, kFitPageHeight = 3;
// The page keeps this margin around itself, in pixels.
inline constexpr int64_t kMargin = 30;
// The zoom a page starts at, and what a zoom that is no zoom (0, negative, not a number) counts as.
inline constexpr double kDefaultZoom = 100;

// The percentage of items 1 to 7; 0 for the fit items and anything else.
int zoomOfItem(int item);
// The nFitInPage value an item sets (0 for the percentages).
int fitModeOfItem(int item);
// The item showing exactly this zoom; 0 when none does.
int itemOfZoom(double zoom);
// A zoom that can be used: positive and finite, else the default.
double usableZoom(double zoom);

// One step of the zoom box: the item it selects and the zoom that item stands for.
struct ZoomStep {
    int item = 0;
    double zoom = kDefaultZoom;
    friend bool operator==(const ZoomStep&, const ZoomStep&) = default;
};
// From the item shown (0 for none) and the current zoom. A percentage item moves one item towards the larger
// (smaller) zooms; otherwise the nearest larger (smaller) percentage is chosen. Where there is none (in at
// 500, out at 10) the step stays where it is, so a zoom never becomes 0 or undefined.
ZoomStep zoomInStep(int item, double zoom);
ZoomStep zoomOutStep(int item, double zoom);
// The page view's own steps when no handler chose a zoom: doubling below 2000, halving above 10.
double doubledZoom(double zoom);
double halvedZoom(double zoom);

// The page as the view sees it: its size in screen pixels at 100 % and the short side over the long side.
struct PageFacts {
    bool landscape = false;
    double ratio = 1;  // short side / long side; 1 for a page with no size
    double horz100 = 0, vert100 = 0;
    friend bool operator==(const PageFacts&, const PageFacts&) = default;
};
// From the metafile's size in hundredths of a millimetre, its size in pixels of the printer it was recorded
// against and that printer's dots per inch. A zero anywhere gives a page of no size, never a division by 0.
PageFacts pageFacts(int64_t mmsWidth, int64_t mmsHeight, int64_t pixelWidth, int64_t pixelHeight, int64_t dpiX,
                    int64_t dpiY);

// Where the page is drawn in the view's content and how large that content is.
struct PageLayout {
    int64_t left = 0, top = 0, width = 0, height = 0;
    int64_t virtualWidth = 0, virtualHeight = 0;
    double zoom = kDefaultZoom;  // the zoom given, or the one a fit mode comes to
    friend bool operator==(const PageLayout&, const PageLayout&) = default;
};
// The layout in a client area of clientWidth x clientHeight pixels for fit mode `fit` (zoom used in mode 0).
PageLayout layoutPage(int fit, double zoom, const PageFacts& page, int64_t clientWidth, int64_t clientHeight);

// The client origin (0 or negative) that brings a clicked point of the page to the middle of the view after a
// zoom: `pointOnOldPage` is the point's distance from the old page's edge, `oldExtent` the old page's size.
int64_t originForPoint(int64_t pointOnOldPage, int64_t oldExtent, int64_t newExtent, int64_t newEdge,
                       int64_t clientExtent);

// The printer's physical offset at a zoom, from the offset at 100 %.
int64_t offsetAtZoom(int64_t offset100, double zoom);
// A physical offset in tenths of a millimetre as screen pixels at 100 %.
int64_t screenPixelsOfTenths(int64_t tenths);

// Where a page of emfWidth x emfHeight goes on a sheet of sheetWidth x sheetHeight: as wide as the sheet and
// centred vertically when the sheet is not wider in proportion, else as high and centred horizontally. A
// page or sheet of no size fills the sheet.
struct Rect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};
Rect fitOnSheet(int64_t emfWidth, int64_t emfHeight, int64_t sheetWidth, int64_t sheetHeight);

// The pages of a print request.
struct PageRange {
    int64_t from = 0, to = 0;
    friend bool operator==(const PageRange&, const PageRange&) = default;
};
// A range prints when it lies within 1..pageCount and does not start after its end.
bool printableRange(const PageRange& range, int64_t pageCount);

// The navigation buttons: first and previous, next and last.
struct NavigationState {
    bool back = false, forward = false;
    friend bool operator==(const NavigationState&, const NavigationState&) = default;
};
NavigationState navigationState(int64_t page, int64_t pageCount);

// What a key does in the page view.
enum class KeyAction { None, ZoomIn, ZoomOut, Scroll, FirstPage, PreviousPage, NextPage, LastPage, Cursor };
struct KeyDecision {
    KeyAction action = KeyAction::None;
    int64_t dx = 0, dy = 0;  // the scroll of a Scroll, in pixels (positive moves the view right or down)
    friend bool operator==(const KeyDecision&, const KeyDecision&) = default;
};
KeyDecision keyDecision(int virtualKey, bool ctrl);

// The client origin after a scroll of `delta` pixels: never above 0 (the page's top or left edge) and never
// past the content's end.
int64_t scrolledOrigin(int64_t origin, int64_t delta, int64_t virtualExtent, int64_t clientExtent);

}  // namespace vorpex::preview
