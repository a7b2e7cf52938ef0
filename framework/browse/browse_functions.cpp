// The grid's callable functions: XBROWSE_DRAWBMP and LOADMNARROWBMP for painters of their own,
// EXTRACTLINE for cells of several lines, GENMENUBLOCK for menus that show and hide columns.
#include "framework/browse/browse_functions.h"

#include <windows.h>

#include "framework/browse/grid_gdi.h"
#include "framework/browse/model/cell_rules.h"
#include "framework/core/native/casts.h"
#include "framework/core/native/native_args.h"
#include "runtime/core/block.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

// (hImageList, nImage, hDC, nX, nY, nWidth, nHeight, nBkColor) -> lDrawn
Value drawBitmap(rt::Args a) {
    using native::intArg;
    auto list = reinterpret_cast<HIMAGELIST>(native::handleArg(a, 0));
    HDC dc = browse::dcOf(native::handleArg(a, 2));
    if (!list || !dc) return Value(false);
    return Value(browse::drawListImage(list, intArg(a, 1), dc, intArg(a, 3), intArg(a, 4), intArg(a, 5),
                                       intArg(a, 6), static_cast<COLORREF>(intArg(a, 7))));
}

// (cText, @nStart) -> the line from nStart; nStart moves past its CR LF.
Value extractLineFunction(rt::Args a) {
    const std::string* text = native::textArg(a, 0);
    if (!text) return Value("");
    int64_t start = native::intArg(a, 1, 1);
    const std::string line = browse::extractLine(*text, start);
    if (native::isReferenceArg(a, 1)) a[1].assign(native::number(start));
    return Value(line);
}

// (aCols, n) -> a block that shows or hides column n of the list.
Value menuBlock(rt::Args a) {
    const Value columns = rt::arg(a, 0);
    const int64_t n = native::intArg(a, 1);
    return Value(rt::makeBlock([columns, n](rt::Args) -> Value {
        auto list = columns.asArray();
        if (!list || n < 1 || n > static_cast<int64_t>(list->size())) return {};
        const Value column = list->at1(static_cast<size_t>(n));
        if (!rt::understands(column, rt::Symbol::intern("lVisible"))) return {};
        return rt::send(column, "_lVisible", {Value(!rt::send(column, "lVisible").asLogical())});
    }));
}

}  // namespace

void registerBrowseFunctions() {
    native::registerCallable("XBROWSE_DRAWBMP", drawBitmap);
    native::registerCallable("LOADMNARROWBMP", [](rt::Args) {
        return native::handleValue(
            reinterpret_cast<intptr_t>(LoadBitmapA(nullptr, MAKEINTRESOURCEA(browse::kMenuArrowBitmap))));
    });
    native::registerCallable("EXTRACTLINE", extractLineFunction);
    native::registerCallable("GENMENUBLOCK", menuBlock);
}

}  // namespace vorpex
