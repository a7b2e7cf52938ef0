// The image control's arithmetic: which zooms it accepts, the virtual size a picture scrolls over, and where
// the picture goes in the client area, fitted or scrolled. Rectangles are exclusive on the right and bottom,
// as the picture paints.
#pragma once

#include <cstdint>
#include <optional>

namespace vorpex::image {

inline constexpr int64_t kMinZoom = 5, kMaxZoom = 20000;

struct Extent {
    int64_t width = 0, height = 0;
    friend bool operator==(const Extent&, const Extent&) = default;
};

struct Box {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const Box&, const Box&) = default;
};

// A zoom in percent the control takes; others leave the zoom as it was.
bool zoomAccepted(int64_t zoom);

// Nothing to scroll when the picture is fitted or there is none; else the picture's size at the zoom and the
// application's scale (both percentages), rounded as MulDiv rounds.
Extent virtualSize(bool autoFit, std::optional<Extent> picture, int64_t zoom, int64_t scale);

// A fitted picture: never enlarged, shrunk to the client area keeping its proportions, centred.
Box fittedBox(Extent picture, Extent client);

// The zoomed picture where scrolling put it: the virtual area at the client origin (0 or negative).
Box scrolledBox(int64_t clientLeft, int64_t clientTop, Extent virtualExtent);

}  // namespace vorpex::image
