#include "framework/core/gdi/color.h"

#include <algorithm>

namespace vorpex {

int64_t colorBlend(int64_t color1, int64_t color2, int64_t alpha) {
    const int64_t a = std::clamp<int64_t>(alpha, 0, 255);
    auto channel = [a](int64_t c1, int64_t c2) { return a * c1 / 255 + (255 - a) * c2 / 255; };
    return rgb(channel(redOf(color1), redOf(color2)), channel(greenOf(color1), greenOf(color2)),
               channel(blueOf(color1), blueOf(color2)));
}

VertexColor vertexColor(int64_t color) {
    return {static_cast<uint16_t>(redOf(color) << 8), static_cast<uint16_t>(greenOf(color) << 8),
            static_cast<uint16_t>(blueOf(color) << 8), 0};
}

}  // namespace vorpex
