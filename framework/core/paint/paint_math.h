// The decisions of the control painting frame, apart from GDI so that they are tested natively: how an
// OnPaint answer is read, the border table, the text placement and the stretched-background cache.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace vorpex::paint {

// The numeric reading of a value: a number truncated, a logical 1 or 0, a date its day number, a
// one-character text its character code, anything else 0.
int64_t numericReading(const rt::Value& v);

// Whether the default drawing runs after OnPaint answered `answer`: it does for NIL (no handler, or nothing
// said) and for any value whose numeric reading is not 0.
bool paintDefault(const rt::Value& answer);

inline constexpr int bvNONE = 0, bvHALFRAISED = 1, bvHALFSUNKEN = 2, bvRAISED = 3, bvSUNKEN = 4, bvBUMP = 5,
                     bvETCHED = 6, bvFLAT = 7;

// DrawEdge edges and flags.
inline constexpr unsigned kBdrRaisedOuter = 1, kBdrSunkenOuter = 2, kBdrRaisedInner = 4, kBdrSunkenInner = 8;
inline constexpr unsigned kEdgeRaised = 5, kEdgeSunken = 10, kEdgeEtched = 6, kEdgeBump = 9;
inline constexpr unsigned kBfRect = 0x0F, kBfFlat = 0x4000;

struct BorderSpec {
    unsigned edge = 0;   // 0: the control draws no edge of its own
    unsigned flags = 0;  // DrawEdge flags
    int width = 0;       // pixels the non-client border takes on each side
    friend bool operator==(const BorderSpec&, const BorderSpec&) = default;
};

// The border of `style`; style 0 (and unknown ones) draws nothing itself and only reports the width of the
// window's own border (1 for WS_BORDER, else 2 for WS_EX_CLIENTEDGE, else 0).
BorderSpec borderFor(int64_t style, bool wsBorder, bool clientEdge);

// How much WM_NCCALCSIZE takes from each side of the client area for `style` (the window's own border is
// already counted by the default processing).
int ncShrink(int64_t style);

// DrawText alignment bits for nAlignment: 2 right, 6 centred, anything else left.
unsigned horizontalFormat(int64_t alignment);

// The top of the text rectangle: moved down by the free space (vAlign 2) or half of it (vAlign 1, an
// arithmetic shift) when the measured text ends above the rectangle's bottom; unchanged otherwise.
int64_t textTop(int64_t top, int64_t bottom, int64_t measuredBottom, int64_t vAlign);

// Whether the stretched copy of a background already has the rectangle's size.
inline bool stretchedCopyFits(int64_t bitmapWidth, int64_t bitmapHeight, int64_t width, int64_t height) {
    return bitmapWidth == width && bitmapHeight == height;
}

}  // namespace vorpex::paint
