// A report device with fixed measures that records every call: "B" is 10 x 12 pixels in font 1 (font 2 is
// twice that), a text is as wide as its characters, the sheet is given in pixels at 72 dots per inch, so
// points and pixels are the same numbers.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "framework/print/report/report_device.h"

namespace vorpex::testing {

struct DrawnText {
    report::Rect rect;
    std::string text;
    int alignment = 0;
    int font = 1;
    int64_t color = 0;
    int page = 0;
};

struct DrawnLine {
    int64_t x1, y1, x2, y2;
    int page;
};

struct FilledRect {
    report::Rect rect;
    int64_t color;
    int page;
};

class FakeReportDevice : public report::ReportDevice {
public:
    int64_t portraitWidth = 1000, portraitHeight = 1400;
    int64_t charWidth = 10, charHeight = 12;
    bool refuseDoc = false;
    bool previewShown = true;

    int docsStarted = 0, docsEnded = 0, pagesStarted = 0, pagesEnded = 0;
    int orient = report::kPortrait;
    // Orientation changes with the number of pages started at the time.
    std::vector<std::pair<int, int>> orientationChanges;
    int previews = 0, previewOrientation = 0;
    bool previewModal = false;
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::vector<FilledRect> fills;

    bool startDoc(const std::string&, bool) override {
        if (refuseDoc) return false;
        ++docsStarted;
        return true;
    }
    bool endDoc() override {
        ++docsEnded;
        return true;
    }
    bool startPage() override {
        ++pagesStarted;
        return true;
    }
    bool endPage() override {
        ++pagesEnded;
        return true;
    }
    int orientation() override { return orient; }
    void setOrientation(int o) override {
        orient = o;
        orientationChanges.push_back({o, pagesStarted});
    }
    report::PageMetrics metrics() override {
        const bool land = orient == report::kLandscape;
        return {land ? portraitHeight : portraitWidth, land ? portraitWidth : portraitHeight, 0, 0, 72, 72};
    }
    report::Extent textExtent(int font, const std::string& text) override {
        const int64_t scale = font == 2 ? 2 : 1;
        return {charWidth * scale * static_cast<int64_t>(text.size()), charHeight * scale};
    }
    void drawText(const report::Rect& r, const std::string& text, int alignment, int font, int64_t color) override {
        texts.push_back({r, text, alignment, font, color, pagesStarted});
    }
    void fill(const report::Rect& r, int64_t color) override { fills.push_back({r, color, pagesStarted}); }
    void line(int64_t x1, int64_t y1, int64_t x2, int64_t y2) override { lines.push_back({x1, y1, x2, y2, pagesStarted}); }
    int64_t penWidth() override { return 1; }
    bool preview(bool modal, int orientation) override {
        ++previews;
        previewModal = modal;
        previewOrientation = orientation;
        return previewShown;
    }

    std::vector<DrawnText> textsOn(int page) const {
        std::vector<DrawnText> out;
        std::copy_if(texts.begin(), texts.end(), std::back_inserter(out), [page](const DrawnText& t) { return t.page == page; });
        return out;
    }
    const DrawnText* find(const std::string& text) const {
        for (const DrawnText& t : texts)
            if (t.text == text) return &t;
        return nullptr;
    }
    int count(const std::string& text) const {
        return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const DrawnText& t) { return t.text == text; }));
    }
    // Horizontal rules drawn at y on any page.
    int rulesAt(int64_t y) const {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [y](const DrawnLine& l) { return l.y1 == y && l.y2 == y; }));
    }
};

}  // namespace vorpex::testing
