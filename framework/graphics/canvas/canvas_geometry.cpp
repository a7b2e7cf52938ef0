#include "framework/graphics/canvas/canvas_geometry.h"

#include <cmath>

namespace vorpex::gfx {

namespace {

constexpr double kMillimetreTenthsPerInchHundredth = 2.54;
constexpr double kTwipsPerInch = 1440;

constexpr uint32_t kDtCenter = 0x1, kDtRight = 0x2, kDtVCenter = 0x4, kDtBottom = 0x8, kDtWordBreak = 0x10,
                   kDtSingleLine = 0x20, kDtCalcRect = 0x400, kDtNoPrefix = 0x800;

int64_t scaled(int64_t value, int64_t numerator, int64_t denominator) {
    return std::llround(static_cast<double>(value) * static_cast<double>(numerator) / static_cast<double>(denominator));
}

// Pixels per tenth of a millimetre across the whole sheet on one axis; 0 without a sheet.
double pixelsPerTenthMm(Axis axis, const CanvasMetrics& m) {
    const bool across = axis == Axis::Horizontal;
    const int64_t size = across ? m.nPhyHorzSize : m.nPhyVertSize;
    const int64_t res = across ? m.nPhyHorzRes : m.nPhyVertRes;
    return size > 0 ? static_cast<double>(res) / static_cast<double>(size) : 0;
}

// Pixels per unit of the map mode on one axis (mode 0 is 1).
double pixelsPerUnit(MapMode mode, Axis axis, const UnitScale& scale) {
    switch (mode) {
        case MapMode::TenthsOfMillimetre: return pixelsPerTenthMm(axis, scale.metrics);
        case MapMode::HundredthsOfInch: return pixelsPerTenthMm(axis, scale.metrics) * kMillimetreTenthsPerInchHundredth;
        case MapMode::Characters: return axis == Axis::Horizontal ? scale.charWidth : scale.charHeight;
        case MapMode::Pixels: break;
    }
    return 1;
}

}  // namespace

std::optional<CanvasMetrics> canvasMetrics(const DeviceMeasures& d) {
    if (d.printableWidth <= 0 || d.printableHeight <= 0 || d.sheetWidth <= 0 || d.sheetHeight <= 0)
        return std::nullopt;
    CanvasMetrics m;
    m.nLogPixelsX = d.dpiX;
    m.nLogPixelsY = d.dpiY;
    m.nHorzRes = d.printableWidthPx;
    m.nVertRes = d.printableHeightPx;
    m.nHorzSize = d.printableWidth;
    m.nVertSize = d.printableHeight;
    m.nPhyHorzSize = d.sheetWidth;
    m.nPhyVertSize = d.sheetHeight;
    m.nPhyHorzRes = scaled(d.printableWidthPx, d.sheetWidth, d.printableWidth);
    m.nPhyVertRes = scaled(d.printableHeightPx, d.sheetHeight, d.printableHeight);
    m.nHorzOffset = scaled(d.offsetX, m.nPhyHorzRes, d.sheetWidth);
    m.nVertOffset = scaled(d.offsetY, m.nPhyVertRes, d.sheetHeight);
    return m;
}

MapMode mapModeOf(int64_t value) {
    return value >= 0 && value <= 3 ? static_cast<MapMode>(value) : MapMode::Pixels;
}

double toPixels(double value, MapMode mode, Axis axis, const UnitScale& scale) {
    const double pixels = value * pixelsPerUnit(mode, axis, scale);
    return mode == MapMode::TenthsOfMillimetre ? std::round(pixels) : pixels;
}

double toMapMode(double pixels, MapMode mode, Axis axis, const UnitScale& scale) {
    if (mode == MapMode::Pixels) return pixels;
    const double perUnit = pixelsPerUnit(mode, axis, scale);
    return perUnit > 0 ? std::round(pixels / perUnit) : 0;
}

double pixelsToTwips(double pixels, Axis axis, const CanvasMetrics& m) {
    const int64_t dpi = axis == Axis::Horizontal ? m.nLogPixelsX : m.nLogPixelsY;
    return dpi > 0 ? pixels * kTwipsPerInch / static_cast<double>(dpi) : 0;
}

int64_t alignedTextX(int64_t x, int64_t width, int64_t alignment) {
    if (alignment == kTaCenter) return x + width / 2;
    if (alignment == kTaRight) return x + width;
    return x;
}

bool textRectMeasures(uint32_t flags, bool wordBreak, int64_t vAlignment) {
    return wordBreak && !(flags & kDtCalcRect) && (vAlignment == kVaCenter || vAlignment == kVaBottom);
}

uint32_t textRectFlags(uint32_t flags, bool wordBreak, int64_t alignment, int64_t vAlignment) {
    uint32_t f = flags | kDtNoPrefix | (wordBreak ? kDtWordBreak : kDtSingleLine);
    if (alignment == kTaCenter) f |= kDtCenter;
    if (alignment == kTaRight) f |= kDtRight;
    if (textRectMeasures(flags, wordBreak, vAlignment)) return f;
    if (vAlignment == kVaCenter) f |= kDtVCenter;
    if (vAlignment == kVaBottom) f |= kDtBottom;
    return f;
}

int64_t textRectShift(int64_t boxHeight, int64_t textHeight, int64_t vAlignment) {
    const int64_t free = boxHeight - textHeight;
    if (free <= 0) return 0;
    if (vAlignment == kVaCenter) return free / 2;
    if (vAlignment == kVaBottom) return free;
    return 0;
}

}  // namespace vorpex::gfx
