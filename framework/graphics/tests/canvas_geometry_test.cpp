// The canvas's arithmetic: device metrics, the four map modes on a screen and a 600-dot printer, and where
// aligned and wrapped text is placed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/graphics/canvas/canvas_geometry.h"

namespace vorpex::gfx {
namespace {

// A Letter sheet on a 600-dot printer: 2159 x 2794 tenths of a millimetre, 5100 x 6600 pixels, of which
// 4800 x 6300 printable (2032 x 2667) from 0.25 inch (63.5) in.
constexpr DeviceMeasures kPrinter{.dpiX = 600, .dpiY = 600,
                                  .printableWidthPx = 4800, .printableHeightPx = 6300,
                                  .printableWidth = 2032, .printableHeight = 2667,
                                  .sheetWidth = 2159, .sheetHeight = 2794,
                                  .offsetX = 64, .offsetY = 64};
// A screen: its paper is its own size, with no margin.
constexpr DeviceMeasures kScreen{.dpiX = 96, .dpiY = 96,
                                 .printableWidthPx = 1280, .printableHeightPx = 1024,
                                 .printableWidth = 3387, .printableHeight = 2709,
                                 .sheetWidth = 3387, .sheetHeight = 2709};

TEST(CanvasMetrics, WholeSheetAndMarginComeFromThePrintableArea) {
    const CanvasMetrics m = canvasMetrics(kPrinter).value();
    EXPECT_EQ(m.nPhyHorzRes, 5100);
    EXPECT_EQ(m.nPhyVertRes, 6600);
    EXPECT_EQ(m.nHorzOffset, 151);  // 64 * 5100 / 2159 = 151.2
    EXPECT_EQ(m.nVertOffset, 151);
    const CanvasMetrics s = canvasMetrics(kScreen).value();
    EXPECT_EQ(s.nPhyHorzRes, 1280);
    EXPECT_EQ(s.nHorzOffset, 0);
}

TEST(CanvasMetrics, ADeviceWithoutPaperHasNoMetrics) {
    DeviceMeasures noPrinter = kPrinter;
    noPrinter.sheetWidth = noPrinter.sheetHeight = 0;
    EXPECT_FALSE(canvasMetrics(noPrinter).has_value());
    noPrinter = kPrinter;
    noPrinter.printableWidth = 0;
    EXPECT_FALSE(canvasMetrics(noPrinter).has_value());
}

struct Conversion {
    const char* device;
    MapMode mode;
    Axis axis;
    double value, pixels;
};

TEST(CanvasMapMode, ToPixelsAndBack) {
    const CanvasMetrics printer = canvasMetrics(kPrinter).value();
    const CanvasMetrics screen = canvasMetrics(kScreen).value();
    // The character cell of "B": 50 x 100 pixels on the printer, 8 x 16 on the screen.
    const UnitScale onPrinter{printer, 50, 100}, onScreen{screen, 8, 16};
    const std::vector<Conversion> cases = {
        {"printer", MapMode::Pixels, Axis::Horizontal, 123, 123},
        {"printer", MapMode::Pixels, Axis::Vertical, 77, 77},
        {"printer", MapMode::TenthsOfMillimetre, Axis::Horizontal, 100, 236},  // 236.2
        {"printer", MapMode::TenthsOfMillimetre, Axis::Vertical, 254, 600},    // one inch
        {"printer", MapMode::HundredthsOfInch, Axis::Horizontal, 100, 600},    // one inch at 600 dots
        {"printer", MapMode::HundredthsOfInch, Axis::Vertical, 50, 300},
        {"printer", MapMode::Characters, Axis::Horizontal, 3, 150},
        {"printer", MapMode::Characters, Axis::Vertical, 3, 300},
        {"screen", MapMode::Pixels, Axis::Horizontal, 640, 640},
        {"screen", MapMode::TenthsOfMillimetre, Axis::Horizontal, 254, 96},    // 95.99
        {"screen", MapMode::TenthsOfMillimetre, Axis::Vertical, 254, 96},
        {"screen", MapMode::HundredthsOfInch, Axis::Horizontal, 100, 96},
        {"screen", MapMode::Characters, Axis::Vertical, 2, 32},
    };
    for (const Conversion& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.device << " mode " << static_cast<int>(c.mode) << " value "
                                          << c.value << (c.axis == Axis::Horizontal ? " across" : " down"));
        const UnitScale& scale = std::string(c.device) == "printer" ? onPrinter : onScreen;
        EXPECT_NEAR(toPixels(c.value, c.mode, c.axis, scale), c.pixels, 0.5);
        EXPECT_EQ(toMapMode(c.pixels, c.mode, c.axis, scale), c.value);
    }
}

TEST(CanvasMapMode, TenthsOfAMillimetreRoundAndInchesDoNot) {
    const CanvasMetrics printer = canvasMetrics(kPrinter).value();
    const UnitScale scale{printer};
    EXPECT_EQ(toPixels(100, MapMode::TenthsOfMillimetre, Axis::Horizontal, scale), 236);
    EXPECT_NEAR(toPixels(1, MapMode::HundredthsOfInch, Axis::Horizontal, scale), 6.0, 1e-9);
    EXPECT_NEAR(toPixels(0.5, MapMode::HundredthsOfInch, Axis::Horizontal, scale), 3.0, 1e-9);
}

TEST(CanvasMapMode, NoScaleConvertsBackToZero) {
    const CanvasMetrics none{};
    const UnitScale scale{none};
    for (MapMode mode : {MapMode::TenthsOfMillimetre, MapMode::HundredthsOfInch, MapMode::Characters})
        EXPECT_EQ(toMapMode(300, mode, Axis::Horizontal, scale), 0) << static_cast<int>(mode);
    EXPECT_EQ(pixelsToTwips(300, Axis::Horizontal, none), 0);
}

TEST(CanvasMapMode, OutOfRangeModesArePixels) {
    EXPECT_EQ(mapModeOf(2), MapMode::HundredthsOfInch);
    EXPECT_EQ(mapModeOf(-1), MapMode::Pixels);
    EXPECT_EQ(mapModeOf(7), MapMode::Pixels);
}

TEST(CanvasMapMode, TwipsFollowEachAxisResolution) {
    CanvasMetrics m = canvasMetrics(kPrinter).value();
    m.nLogPixelsY = 300;
    EXPECT_DOUBLE_EQ(pixelsToTwips(600, Axis::Horizontal, m), 1440);
    EXPECT_DOUBLE_EQ(pixelsToTwips(600, Axis::Vertical, m), 2880);
    EXPECT_DOUBLE_EQ(pixelsToTwips(1, Axis::Horizontal, m), 2.4);
}

TEST(CanvasText, TextOutPlacesTheReferencePointInTheBox) {
    EXPECT_EQ(alignedTextX(100, 200, kTaLeft), 100);
    EXPECT_EQ(alignedTextX(100, 200, kTaCenter), 200);
    EXPECT_EQ(alignedTextX(100, 201, kTaCenter), 200);
    EXPECT_EQ(alignedTextX(100, 200, kTaRight), 300);
}

struct RectFlags {
    uint32_t given;
    bool wordBreak;
    int64_t alignment, vAlignment;
    uint32_t flags;
    bool measures;
};

TEST(CanvasText, TextRectFlags) {
    constexpr uint32_t noPrefix = 0x800, wordBreak = 0x10, singleLine = 0x20, calcRect = 0x400;
    const std::vector<RectFlags> cases = {
        {0, true, kTaLeft, kVaTop, noPrefix | wordBreak, false},
        {0, true, kTaCenter, kVaCenter, noPrefix | wordBreak | 0x1, true},
        {0, true, kTaRight, kVaBottom, noPrefix | wordBreak | 0x2, true},  // no DT_BOTTOM: it is measured
        {0, false, kTaLeft, kVaCenter, noPrefix | singleLine | 0x4, false},
        {0, false, kTaRight, kVaBottom, noPrefix | singleLine | 0x2 | 0x8, false},
        {calcRect, true, kTaLeft, kVaCenter, calcRect | noPrefix | wordBreak | 0x4, false},
    };
    for (const RectFlags& c : cases) {
        SCOPED_TRACE(::testing::Message() << "flags " << c.given << " wrap " << c.wordBreak << " align "
                                          << c.alignment << " valign " << c.vAlignment);
        EXPECT_EQ(textRectFlags(c.given, c.wordBreak, c.alignment, c.vAlignment), c.flags);
        EXPECT_EQ(textRectMeasures(c.given, c.wordBreak, c.vAlignment), c.measures);
    }
}

TEST(CanvasText, WrappedTextMovesDownByItsFreeHeight) {
    EXPECT_EQ(textRectShift(100, 40, kVaTop), 0);
    EXPECT_EQ(textRectShift(100, 40, kVaCenter), 30);
    EXPECT_EQ(textRectShift(100, 40, kVaBottom), 60);
    EXPECT_EQ(textRectShift(100, 140, kVaBottom), 0);  // taller than the box: from the top
    EXPECT_EQ(textRectShift(100, 100, kVaCenter), 0);
}

}  // namespace
}  // namespace vorpex::gfx
