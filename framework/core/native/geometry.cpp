#include "framework/core/native/geometry.h"

namespace vorpex {

namespace {
int64_t itemAsInt(const rt::Array& a, size_t index1) {
    const rt::Value& v = a.at1(index1);
    return v.isNumber() ? v.asInteger() : 0;
}

void setItem(rt::Array& a, size_t index1, int64_t n) {
    if (a.items.size() < index1) a.items.resize(index1);
    a.items[index1 - 1] = rt::Value(n);
}

bool fourReferences(rt::Args args, size_t first) {
    if (args.size() < first + 4) return false;
    for (size_t i = first; i < first + 4; ++i)
        if (!args[i].isReference()) return false;
    return true;
}
}  // namespace

std::optional<Rect> rectFrom(const rt::Value& v) {
    rt::ArrayPtr a = v.asArray();
    if (!a) return std::nullopt;
    return Rect{itemAsInt(*a, 1), itemAsInt(*a, 2), itemAsInt(*a, 3), itemAsInt(*a, 4)};
}

rt::Value rectValue(const Rect& r) { return rt::Value::array({r.left, r.top, r.right, r.bottom}); }

rt::Value answerRect(rt::Args args, size_t first, const Rect& r) {
    const rt::Value& given = rt::arg(args, first);
    if (rt::ArrayPtr a = given.asArray()) {
        setItem(*a, 1, r.left);
        setItem(*a, 2, r.top);
        setItem(*a, 3, r.right);
        setItem(*a, 4, r.bottom);
        return rt::Value(a);
    }
    if (fourReferences(args, first)) {
        const int64_t parts[] = {r.left, r.top, r.right, r.bottom};
        for (size_t i = 0; i < 4; ++i) args[first + i].assign(rt::Value(parts[i]));
    }
    return rectValue(r);
}

std::optional<Point> pointFrom(rt::Args args, size_t first) {
    const rt::Value& given = rt::arg(args, first);
    if (rt::ArrayPtr a = given.asArray()) return Point{itemAsInt(*a, 1), itemAsInt(*a, 2)};
    const rt::Value& y = rt::arg(args, first + 1);
    if (given.isNumber() && y.isNumber()) return Point{given.asInteger(), y.asInteger()};
    return std::nullopt;
}

rt::Value answerPoint(rt::Args args, size_t first, const Point& p) {
    if (rt::ArrayPtr a = rt::arg(args, first).asArray()) {
        setItem(*a, 1, p.x);
        setItem(*a, 2, p.y);
    } else if (args.size() >= first + 2) {
        args[first].assign(rt::Value(p.x));
        args[first + 1].assign(rt::Value(p.y));
    }
    return rt::Value::array({p.x, p.y});
}

Point centredOn(const Rect& reference, int64_t width, int64_t height) {
    return {(reference.left + reference.right - width) >> 1, (reference.top + reference.bottom - height) >> 1};
}

Point centredInClient(int64_t clientWidth, int64_t clientHeight, int64_t width, int64_t height) {
    return {(clientWidth - width) / 2, (clientHeight - height) / 2};
}

}  // namespace vorpex
