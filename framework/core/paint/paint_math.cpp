#include "framework/core/paint/paint_math.h"

namespace vorpex::paint {

int64_t numericReading(const rt::Value& value) {
    const rt::Value& v = value.deref();
    switch (v.type()) {
        case rt::Type::Number: return v.asNumber().isInteger ? v.asInteger() : static_cast<int64_t>(v.asDouble());
        case rt::Type::Logical: return v.asLogical() ? 1 : 0;
        case rt::Type::Date: return v.asDate().julian;
        case rt::Type::String:
            return v.asString().size() == 1 ? static_cast<unsigned char>(v.asString()[0]) : 0;
        default: return 0;
    }
}

bool paintDefault(const rt::Value& answer) { return answer.deref().isNil() || numericReading(answer) != 0; }

BorderSpec borderFor(int64_t style, bool wsBorder, bool clientEdge) {
    switch (style) {
        case bvHALFRAISED: return {kBdrRaisedOuter, kBfRect, 1};
        case bvHALFSUNKEN: return {kBdrSunkenOuter, kBfRect, 1};
        case bvRAISED: return {kEdgeRaised, kBfRect, 2};
        case bvSUNKEN: return {kEdgeSunken, kBfRect, 2};
        case bvBUMP: return {kEdgeBump, kBfRect, 2};
        case bvETCHED: return {kEdgeEtched, kBfRect, 2};
        case bvFLAT: return {kBdrRaisedOuter, kBfRect | kBfFlat, 1};
        default: return {0, 0, wsBorder ? 1 : clientEdge ? 2 : 0};
    }
}

int ncShrink(int64_t style) {
    if (style == bvHALFRAISED || style == bvHALFSUNKEN || style == bvFLAT) return 1;
    if (style >= bvRAISED && style <= bvETCHED) return 2;
    return 0;
}

unsigned horizontalFormat(int64_t alignment) {
    if (alignment == 2) return 0x2;  // DT_RIGHT
    if (alignment == 6) return 0x1;  // DT_CENTER
    return 0;
}

int64_t textTop(int64_t top, int64_t bottom, int64_t measuredBottom, int64_t vAlign) {
    if (vAlign == 0 || measuredBottom >= bottom) return top;
    const int64_t free = bottom - measuredBottom;
    return top + (vAlign == 2 ? free : free >> 1);
}

}  // namespace vorpex::paint
