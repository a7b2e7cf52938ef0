// The bitmap functions callable by name and the two methods bound to bitmap objects.
#include <string>
#include <vector>

#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/gdi/bitmap_geometry.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/win_casts.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using native::handleArg;
using native::intArg;
using native::registerCallable;
using rt::Args;
using rt::Value;

template <class H>
H handleAt(Args a, size_t i) {
    return reinterpret_cast<H>(handleArg(a, i));
}
using win::handleValue;
int intAt(Args a, size_t i) { return static_cast<int>(intArg(a, i)); }

HBITMAP bitmapOf(rt::Object& self) {
    static const rt::Symbol handle = rt::Symbol::intern("Handle");
    if (!self.objectClass().understands(handle)) return nullptr;
    return reinterpret_cast<HBITMAP>(static_cast<intptr_t>(rt::send(self, handle).asInteger()));
}

// CREATEBITMAP's bits, padded to what CreateBitmap reads: a shorter text must not be read past its end.
std::vector<char> bitmapBits(const std::string& text, Args a) {
    const int64_t needed = bmp::bitmapDataBytes(intArg(a, 0), intArg(a, 1), intArg(a, 2), intArg(a, 3));
    std::vector<char> bits(text.begin(), text.end());
    if (static_cast<int64_t>(bits.size()) < needed) bits.resize(static_cast<size_t>(needed), 0);
    return bits;
}

}  // namespace

rt::Value XBITMAP_GETSIZE(rt::Object& self, const rt::Method&, rt::Args) {
    const SIZE s = bitmapSize(bitmapOf(self));
    rt::send(self, "_nWidth", {Value(static_cast<long long>(s.cx))});
    rt::send(self, "_nHeight", {Value(static_cast<long long>(s.cy))});
    return {};
}

rt::Value XBITMAP_SAVE(rt::Object& self, const rt::Method&, rt::Args args) {
    const std::string* file = native::textArg(args, 0);
    return Value(file && saveBitmap(bitmapOf(self), *file));
}

void registerBitmapDrawFunctions() {
    registerCallable("VP_GETBMPMASK", [](Args a) -> Value { return handleValue(VP_GetBmpMask(handleAt<HBITMAP>(a, 0))); });
    registerCallable("VP_GETBMPTRANSPARENT", [](Args a) -> Value {
        return handleValue(VP_GetBmpTransparent(handleAt<HBITMAP>(a, 0), static_cast<COLORREF>(intArg(a, 1))));
    });
    registerCallable("VP_DRAWBITMAP", [](Args a) -> Value {
        RECT r{intAt(a, 2), intAt(a, 3), intAt(a, 4), intAt(a, 5)};
        return Value(VP_DrawBitmap(handleAt<HDC>(a, 0), handleAt<HBITMAP>(a, 1), &r, intAt(a, 6),
                                   handleAt<HBRUSH>(a, 7)) == 1);
    });
    // The area comes as left, top, bottom, right: an old argument order that programs rely on.
    registerCallable("VP_CAPTUREBITMAP", [](Args a) -> Value {
        std::optional<RECT> area;
        if (native::isNumberArg(a, 1)) {
            const int left = intAt(a, 1), top = intAt(a, 2), bottom = intAt(a, 3), right = intAt(a, 4);
            area = RECT{left, top, right, bottom};
        }
        return handleValue(VP_CaptureBitmap(handleAt<HWND>(a, 0), area));
    });
    registerCallable("GETBITMAPDIMENSIONEX", [](Args a) -> Value {
        SIZE s{};
        GetBitmapDimensionEx(handleAt<HBITMAP>(a, 0), &s);
        return Value::array({Value(static_cast<long long>(s.cx)), Value(static_cast<long long>(s.cy))});
    });
    registerCallable("CREATEBITMAP", [](Args a) -> Value {
        const std::string* text = native::textArg(a, 4);
        std::vector<char> bits;
        if (text) bits = bitmapBits(*text, a);
        return handleValue(CreateBitmap(intAt(a, 0), intAt(a, 1), static_cast<UINT>(intArg(a, 2, 1)),
                                        static_cast<UINT>(intArg(a, 3, 1)), text ? bits.data() : nullptr));
    });
}

}  // namespace vorpex
