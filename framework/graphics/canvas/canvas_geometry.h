// The arithmetic of a canvas, apart from any device context: the measures it derives from its device, the
// four units its coordinates may be given in (map modes), and where aligned text goes. Pure functions, so the
// conversions a printed page depends on are checked natively against screen and printer figures.
#pragma once

#include <cstdint>
#include <optional>

namespace vorpex::gfx {

// What a device reports of itself (its Resolution, PaperRes, PaperSize, PaperPhysicalSize and
// PhysicalOffset): dots per inch, the printable area in pixels and in tenths of a millimetre, the whole
// sheet in tenths of a millimetre, and the unprintable left and top margin in tenths of a millimetre.
struct DeviceMeasures {
    int64_t dpiX = 0, dpiY = 0;
    int64_t printableWidthPx = 0, printableHeightPx = 0;
    int64_t printableWidth = 0, printableHeight = 0;
    int64_t sheetWidth = 0, sheetHeight = 0;
    int64_t offsetX = 0, offsetY = 0;
};

// The canvas's members of the same names, derived from a device's measures.
struct CanvasMetrics {
    int64_t nLogPixelsX = 0, nLogPixelsY = 0;
    int64_t nHorzRes = 0, nVertRes = 0;
    int64_t nHorzSize = 0, nVertSize = 0;
    int64_t nPhyHorzRes = 0, nPhyVertRes = 0;
    int64_t nPhyHorzSize = 0, nPhyVertSize = 0;
    int64_t nHorzOffset = 0, nVertOffset = 0;
};

// The metrics of a device; nothing when it reports no paper (a printer that is not there), since every
// millimetre or inch on it would come out as 0 and a page would be drawn into its corner.
std::optional<CanvasMetrics> canvasMetrics(const DeviceMeasures& device);

// The units of a canvas's coordinates.
enum class MapMode : int64_t { Pixels = 0, TenthsOfMillimetre = 1, HundredthsOfInch = 2, Characters = 3 };
// A number out of 0..3 draws in pixels.
MapMode mapModeOf(int64_t value);

enum class Axis { Horizontal, Vertical };

// How a value in a map mode is turned into pixels on one axis: the metrics, and the size of a character
// (the text "B" in the current font, in pixels) for the character mode.
struct UnitScale {
    const CanvasMetrics& metrics;
    double charWidth = 0, charHeight = 0;
};

// A coordinate in the map mode as device pixels: tenths of a millimetre rounded to the nearest pixel,
// hundredths of an inch and characters not rounded.
double toPixels(double value, MapMode mode, Axis axis, const UnitScale& scale);
// Pixels back in the map mode, rounded to the nearest unit; 0 where the scale is 0.
double toMapMode(double pixels, MapMode mode, Axis axis, const UnitScale& scale);
// Pixels as twips (1/1440 inch) at the device's resolution on that axis, not rounded; 0 without one.
double pixelsToTwips(double pixels, Axis axis, const CanvasMetrics& metrics);

// Text alignments of a canvas (also the device's SetTextAlign values) and vertical alignments.
inline constexpr int64_t kTaLeft = 0, kTaRight = 2, kTaCenter = 6;
inline constexpr int64_t kVaTop = 0, kVaCenter = 1, kVaBottom = 2;

// Where TextOut puts its reference point so that the text is aligned in the box (x, width): the middle for
// centred text, the right edge for right-aligned text.
int64_t alignedTextX(int64_t x, int64_t width, int64_t alignment);

// DrawText flags of TextRect: the caller's flags, no prefix, word break or a single line, the horizontal
// alignment, and the vertical one where DrawText can do it. It places only single lines vertically, so wrapped
// text is placed by moving the rectangle instead (textRectMeasures, textRectShift).
uint32_t textRectFlags(uint32_t flags, bool wordBreak, int64_t alignment, int64_t vAlignment);
// True when TextRect must measure the text first to place it vertically: wrapped text not at the top, unless
// the caller only measures (DT_CALCRECT).
bool textRectMeasures(uint32_t flags, bool wordBreak, int64_t vAlignment);
// How far down wrapped text of `textHeight` moves in a rectangle of `boxHeight`: half the free height when
// centred, all of it at the bottom, nothing when it does not fit.
int64_t textRectShift(int64_t boxHeight, int64_t textHeight, int64_t vAlignment);

}  // namespace vorpex::gfx
