// The font's rules that need no device: its fields, the platform record built from them, point size and
// height conversions, the text it saves itself as, comparison, and the face-name list filter.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/graphics/graphics_port.h"

namespace vorpex::gfx {

struct FontFields {
    std::string name = "MS Sans Serif";
    double size = 8;  // points; 0: width and height apply
    int64_t width = 0;
    int64_t height = 0;
    int64_t style = 0;  // 1 italic, 2 underline, 4 strike-out
    int64_t weight = 400;
    int64_t orientation = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int64_t charSet = 1;
    friend bool operator==(const FontFields&, const FontFields&) = default;
};

inline constexpr int64_t kStyleItalic = 1;
inline constexpr int64_t kStyleUnderline = 2;
inline constexpr int64_t kStyleStrikeOut = 4;
inline constexpr size_t kMaxFaceName = 31;  // the platform record holds 32 bytes with the terminator

// What the font is made for. Screen fonts follow the application's font scale (percent, 0 taken as 100).
struct FontDevice {
    bool printer = false;
    int64_t logPixelsY = 96;
    int64_t fontScale = 100;
};

// Win32 MulDiv: a * b / c rounded half away from zero; -1 when c is 0 or the result does not fit 32 bits.
int64_t mulDiv(int64_t a, int64_t b, int64_t c);

// -MulDiv(size, dpi, 72); 0 when the device has no resolution.
int64_t sizeToHeight(double size, int64_t logPixelsY);
// MulDiv(|height|, 72, dpi); 0 (not -1) when the device has no resolution.
int64_t heightToSize(int64_t height, int64_t logPixelsY);

// The record for `f` on `device`. A point size other than 0 derives the height (and resets the width) in `f`;
// a scaled screen font asks for TrueType output (precision 7) so that it stays smooth. The weight decides
// the bold flag (700 and more).
LogFont makeLogFont(FontFields& f, const FontDevice& device);

// "name,size,width,height,style,weight,orientation,.T./.F. x4,charset".
std::string saveToText(const FontFields& f);
// Reads a saved text; the last eleven fields are taken from the right, so a face name with commas survives.
// Nothing when the text has fewer than twelve fields.
std::optional<FontFields> restoreFromText(std::string_view text);

// Equal face, width, height, style, weight and orientation (size, character set and flags not compared).
bool sameFont(const FontFields& a, const FontFields& b);

// One entry of a font enumeration: face name and font type bits (1 raster, 2 device, 4 TrueType).
struct FontEntry {
    std::string name;
    int64_t type = 0;
};
// Faces whose type shares a bit with `mask`, each once, in enumeration order or sorted.
std::vector<std::string> fontNames(const std::vector<FontEntry>& entries, int64_t mask, bool sorted);

}  // namespace vorpex::gfx
