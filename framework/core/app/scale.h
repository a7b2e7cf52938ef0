// The application's scale (SetScale): a percentage that forms apply to their design sizes, either given or,
// with auto-scaling, derived from the screen's pixels per inch; and the font scale that goes with it.
#pragma once

#include "runtime/core/value.h"

namespace vorpex {

// MulDiv as Windows computes it: a * b / c with a 64-bit intermediate, rounded half away from zero; -1 when c
// is 0 or the result does not fit in 32 bits.
int mulDiv(int a, int b, int c);

struct ScaleState {
    int scale = 100;
    bool autoScale = false;
    int fontScale = 100;
};

// SetScale([nScale], [lAutoScale]) with the screen's pixels per inch: answers lAutoScale when it was given,
// else the scale.
rt::Value setScale(ScaleState& state, const rt::Value& nScale, const rt::Value& lAutoScale, int pixelsPerInch);

}  // namespace vorpex
