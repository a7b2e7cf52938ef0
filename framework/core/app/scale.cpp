#include "framework/core/app/scale.h"

#include <cstdint>
#include <limits>

namespace vorpex {

int mulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    int64_t product = static_cast<int64_t>(a) * b;
    int64_t quotient = product / c;
    int64_t remainder = product % c;
    // Half away from zero: compare twice the remainder with the divisor, in magnitude.
    if (2 * (remainder < 0 ? -remainder : remainder) >= (c < 0 ? -static_cast<int64_t>(c) : c))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(quotient);
}

rt::Value setScale(ScaleState& state, const rt::Value& nScale, const rt::Value& lAutoScale, int pixelsPerInch) {
    // Without a screen to ask, a display of the standard 96 pixels per inch is assumed.
    const int ppi = pixelsPerInch > 0 ? pixelsPerInch : 96;
    if (nScale.isNumber()) state.scale = nScale.asInt();
    if (lAutoScale.isLogical()) state.autoScale = lAutoScale.asLogical();
    if (!nScale.isNumber() && lAutoScale.isLogical() && lAutoScale.asLogical())
        state.scale = mulDiv(ppi, 100, 96);
    state.fontScale = state.autoScale ? mulDiv(state.scale, 96, ppi) : state.scale;
    return lAutoScale.isLogical() ? lAutoScale : rt::Value(state.scale);
}

}  // namespace vorpex
