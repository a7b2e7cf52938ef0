// What the banded report asks of the device it prints on, in device pixels: the job, pages, the paper, text
// measures and the few drawing calls a report makes. The printer object (or its preview) answers it in the
// program; tests answer it with a recording device of fixed measures, so the whole layout is checked natively.
#pragma once

#include <cstdint>
#include <string>

namespace vorpex::report {

struct Rect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Extent {
    int64_t width = 0, height = 0;
};

// The physical sheet in pixels, the printable area's offset on it and the resolution.
struct PageMetrics {
    int64_t width = 0, height = 0;
    int64_t offsetX = 0, offsetY = 0;
    int64_t dpiX = 0, dpiY = 0;
};

// Text alignments, as the device's text-alignment values.
inline constexpr int kAlignLeft = 0, kAlignRight = 2, kAlignCenter = 6;
// White: no fill.
inline constexpr int64_t kNoFill = 16777215;
inline constexpr int kPortrait = 1, kLandscape = 2;

class ReportDevice {
public:
    virtual ~ReportDevice() = default;
    virtual bool startDoc(const std::string& jobName, bool preview) = 0;
    virtual bool endDoc() = 0;
    virtual bool startPage() = 0;
    virtual bool endPage() = 0;
    virtual int orientation() = 0;
    // Only while no page is open: the job's context follows, and no page or job is ended for it.
    virtual void setOrientation(int orientation) = 0;
    virtual PageMetrics metrics() = 0;
    // Font numbers are the report's 1-based font numbers.
    virtual Extent textExtent(int font, const std::string& text) = 0;
    virtual void drawText(const Rect& r, const std::string& text, int alignment, int font, int64_t color) = 0;
    virtual void fill(const Rect& r, int64_t color) = 0;
    virtual void line(int64_t x1, int64_t y1, int64_t x2, int64_t y2) = 0;
    virtual int64_t penWidth() = 0;
    // Shows the previewed pages; when the preview closes, the device is turned back to `orientation` (the
    // pages were recorded turned). False when nothing was shown.
    virtual bool preview(bool modal, int orientation) = 0;
};

}  // namespace vorpex::report
