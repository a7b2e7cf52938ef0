// Colour arithmetic of the framework's drawing helpers. A colour is a Windows RGB number (red in the low
// byte); only its low 24 bits count.
#pragma once

#include <cstdint>

namespace vorpex {

inline constexpr int kDefaultBlendAlpha = 128;

// Per channel alpha * c1 / 255 + (255 - alpha) * c2 / 255, each product divided on its own. Alpha is held to
// 0-255 so that no channel can leave its byte and spill into its neighbour.
int64_t colorBlend(int64_t color1, int64_t color2, int64_t alpha = kDefaultBlendAlpha);

// One gradient vertex colour: each 8-bit channel widened to the platform's 16-bit channel.
struct VertexColor {
    uint16_t red = 0, green = 0, blue = 0, alpha = 0;
    friend bool operator==(const VertexColor&, const VertexColor&) = default;
};
VertexColor vertexColor(int64_t color);

inline int64_t redOf(int64_t c) { return c & 0xFF; }
inline int64_t greenOf(int64_t c) { return (c >> 8) & 0xFF; }
inline int64_t blueOf(int64_t c) { return (c >> 16) & 0xFF; }
inline int64_t rgb(int64_t r, int64_t g, int64_t b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

}  // namespace vorpex
