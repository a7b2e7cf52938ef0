// Rectangles and points as the callable functions pass them: {left, top, right, bottom} and {x, y}, plus the
// three calling forms of the functions that answer one (plain, array-fill, variables by reference).
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/core/value.h"

namespace vorpex {

struct Rect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    int64_t width() const { return right - left; }
    int64_t height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Point {
    int64_t x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle from an array; a missing or non-numeric element reads as 0. Nothing when `v` is no array.
std::optional<Rect> rectFrom(const rt::Value& v);
rt::Value rectValue(const Rect& r);

// The result of a function whose arguments from `first` on may take its rectangle:
//   nothing more          a new array {left, top, right, bottom}
//   an array              that array, filled (grown to four items when shorter)
//   four by reference     the four variables receive the values; a new array is returned too
rt::Value answerRect(rt::Args args, size_t first, const Rect& r);

// A point given from `first` on as an array {x, y} or as two numbers; nothing when neither.
std::optional<Point> pointFrom(rt::Args args, size_t first);
// Writes the point back into the array or the two by-reference variables it came from; returns {x, y}.
rt::Value answerPoint(rt::Args args, size_t first, const Point& p);

// Where a window of that size goes to stand centred on `reference` (arithmetic shift, as the window
// manager's own centring rounds).
Point centredOn(const Rect& reference, int64_t width, int64_t height);
// Position of a window centred inside a parent's client area of that size.
Point centredInClient(int64_t clientWidth, int64_t clientHeight, int64_t width, int64_t height);

}  // namespace vorpex
