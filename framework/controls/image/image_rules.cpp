#include "framework/controls/image/image_rules.h"

#include <algorithm>
#include <climits>

#include "framework/core/app/scale.h"

namespace vorpex::image {

namespace {

// MulDiv's rounding on the 64-bit values the control keeps; a size past 32 bits is clamped, not wrapped.
int64_t scaled(int64_t size, int64_t percentSquared) {
    const int64_t clampedSize = std::clamp<int64_t>(size, 0, INT_MAX);
    const int64_t clampedFactor = std::clamp<int64_t>(percentSquared, 0, INT_MAX);
    const int result = mulDiv(static_cast<int>(clampedSize), static_cast<int>(clampedFactor), 10000);
    return result < 0 ? INT_MAX : result;
}

}  // namespace

bool zoomAccepted(int64_t zoom) { return zoom >= kMinZoom && zoom <= kMaxZoom; }

Extent virtualSize(bool autoFit, std::optional<Extent> picture, int64_t zoom, int64_t scale) {
    if (autoFit || !picture) return {};
    const int64_t factor = zoom * std::clamp<int64_t>(scale, 0, INT_MAX / kMaxZoom);
    return {scaled(picture->width, factor), scaled(picture->height, factor)};
}

Box fittedBox(Extent picture, Extent client) {
    int64_t w = std::max<int64_t>(picture.width, 0), h = std::max<int64_t>(picture.height, 0);
    const int64_t W = std::max<int64_t>(client.width, 0), H = std::max<int64_t>(client.height, 0);
    Box box;
    if (w > W) {
        h = h * W / w;
        w = W;
        box.left = 0;
    } else {
        box.left = (W - w) / 2;
    }
    if (h > H) {
        w = w * H / h;
        box.top = 0;
        box.bottom = H;
        if (w <= W) box.left = (W - w) / 2;
    } else {
        box.top = (H - h) / 2;
        box.bottom = box.top + h;
    }
    box.right = box.left + w;
    return box;
}

Box scrolledBox(int64_t clientLeft, int64_t clientTop, Extent virtualExtent) {
    return {clientLeft, clientTop, clientLeft + virtualExtent.width, clientTop + virtualExtent.height};
}

}  // namespace vorpex::image
