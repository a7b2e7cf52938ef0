// The callable GDI wrappers and drawing helpers: thin adapters over Win32 and win_gdi.h.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "framework/core/gdi/draw_item.h"
#include "framework/core/gdi/gdi_functions.h"
#include "framework/core/gdi/win_gdi.h"
#include "framework/core/native/geometry.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_window.h"

namespace vorpex {

using namespace native;

namespace {

HDC dcArg(Args a, size_t i) { return reinterpret_cast<HDC>(handleArg(a, i)); }
HGDIOBJ objectArg(Args a, size_t i) { return reinterpret_cast<HGDIOBJ>(handleArg(a, i)); }
using win::handleValue;
int intOf(Args a, size_t i) { return static_cast<int>(intArg(a, i)); }
RECT rectArg(Args a, size_t i) { return win::toRECT(rectFrom(rt::arg(a, i)).value_or(Rect{})); }

// A resource named by text, or by number (MAKEINTRESOURCE).
struct ResourceName {
    std::string text;
    intptr_t id = 0;
    bool valid = false;
    LPCSTR get() const { return id ? reinterpret_cast<LPCSTR>(id) : text.c_str(); }
};

ResourceName resourceName(Args a, size_t i) {
    const Value& v = rt::arg(a, i);
    if (v.isString()) return {v.asString(), 0, true};
    if (v.isNumber()) return {{}, static_cast<intptr_t>(v.asInteger() & 0xFFFF), true};
    return {};
}

// A call on a DC and the rectangle argument, answering whether it succeeded.
template <class F>
void rectCall(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value {
        if (!rt::arg(a, 1).isArray()) return Value(false);
        RECT r = rectArg(a, 1);
        return Value(f(dcArg(a, 0), &r, a) != 0);
    });
}

// Platform text calls get a private copy with spare room: DrawTextA with DT_MODIFYSTRING writes an ellipsis
// into the text it is given.
std::vector<char> writableCopy(const std::string& text) {
    std::vector<char> copy(text.size() + 8, '\0');
    std::copy(text.begin(), text.end(), copy.begin());
    return copy;
}

void registerObjectFunctions() {
    registerCallable("DELETEOBJECT", [](Args a) -> Value { return Value(DeleteObject(objectArg(a, 0)) != 0); });
    registerCallable("SELECTOBJECT", [](Args a) -> Value {
        return handleValue(SelectObject(dcArg(a, 0), objectArg(a, 1)));
    });
    registerCallable("GETSTOCKOBJECT", [](Args a) -> Value { return handleValue(GetStockObject(intOf(a, 0))); });
    registerCallable("CREATEDC", [](Args a) -> Value {
        const std::string* driver = textArg(a, 0);
        const std::string* device = textArg(a, 1);
        const std::string* port = textArg(a, 2);
        return handleValue(CreateDCA(driver ? driver->c_str() : nullptr, device ? device->c_str() : nullptr,
                                     port ? port->c_str() : nullptr, nullptr));
    });
    registerCallable("DELETEDC", [](Args a) -> Value { return Value(DeleteDC(dcArg(a, 0)) != 0); });
    registerCallable("CREATECOMPATIBLEDC", [](Args a) -> Value { return handleValue(CreateCompatibleDC(dcArg(a, 0))); });
    registerCallable("GETDC", [](Args a) -> Value { return handleValue(GetDC(win::toHwnd(handleArg(a, 0)))); });
    registerCallable("RELEASEDC", [](Args a) -> Value {
        return Value(static_cast<int64_t>(ReleaseDC(win::toHwnd(handleArg(a, 0)), dcArg(a, 1))));
    });
    registerCallable("LOADIMAGE", [](Args a) -> Value {
        const ResourceName name = resourceName(a, 1);
        if (!name.valid) return Value(0);
        return handleValue(LoadImageA(reinterpret_cast<HINSTANCE>(handleArg(a, 0)), name.get(),
                                      static_cast<UINT>(intArg(a, 2)), intOf(a, 3), intOf(a, 4),
                                      static_cast<UINT>(intArg(a, 5))));
    });
}

void registerTextFunctions() {
    registerCallable("GETTEXTEXTENTPOINT32", [](Args a) -> Value {
        const std::string* text = textArg(a, 1);
        SIZE size{};
        if (text) GetTextExtentPoint32A(dcArg(a, 0), text->data(), static_cast<int>(text->size()), &size);
        return Value::array({static_cast<int64_t>(size.cx), static_cast<int64_t>(size.cy)});
    });
    registerCallable("DRAWTEXT", [](Args a) -> Value {
        const std::string* text = textArg(a, 1);
        if (!text) return Value(0);
        std::vector<char> copy = writableCopy(*text);
        RECT r = rectArg(a, 2);
        return Value(static_cast<int64_t>(DrawTextA(dcArg(a, 0), copy.data(), static_cast<int>(text->size()), &r,
                                                    static_cast<UINT>(intArg(a, 3)))));
    });
    registerCallable("TEXTOUT", [](Args a) -> Value {
        const std::string* text = textArg(a, 3);
        if (!text) return Value(false);
        return Value(TextOutA(dcArg(a, 0), intOf(a, 1), intOf(a, 2), text->data(), static_cast<int>(text->size())) != 0);
    });
    registerCallable("EXTTEXTOUT", [](Args a) -> Value {
        const std::string* text = textArg(a, 5);
        if (!text) return Value(false);
        const bool hasRect = rt::arg(a, 4).isArray();
        RECT r = rectArg(a, 4);
        return Value(ExtTextOutA(dcArg(a, 0), intOf(a, 1), intOf(a, 2), static_cast<UINT>(intArg(a, 3)),
                                 hasRect ? &r : nullptr, text->data(), static_cast<UINT>(text->size()), nullptr) != 0);
    });
    // The previous alignment may well be 0 (the default): only GDI_ERROR is failure.
    registerCallable("SETTEXTALIGN", [](Args a) -> Value {
        return Value(SetTextAlign(dcArg(a, 0), static_cast<UINT>(intArg(a, 1))) != GDI_ERROR);
    });
}

void registerShapeFunctions() {
    registerCallable("SETPIXEL", [](Args a) -> Value {
        return Value(static_cast<int64_t>(SetPixel(dcArg(a, 0), intOf(a, 1), intOf(a, 2), static_cast<COLORREF>(intArg(a, 3)))));
    });
    rectCall("FILLRECT", [](HDC dc, RECT* r, Args a) { return FillRect(dc, r, reinterpret_cast<HBRUSH>(handleArg(a, 2))); });
    rectCall("FRAMERECT", [](HDC dc, RECT* r, Args a) { return FrameRect(dc, r, reinterpret_cast<HBRUSH>(handleArg(a, 2))); });
    rectCall("RECTANGLE", [](HDC dc, RECT* r, Args) { return Rectangle(dc, r->left, r->top, r->right, r->bottom); });
    rectCall("ROUNDRECT", [](HDC dc, RECT* r, Args a) {
        return RoundRect(dc, r->left, r->top, r->right, r->bottom, intOf(a, 2), intOf(a, 3));
    });
    rectCall("DRAWFOCUSRECT", [](HDC dc, RECT* r, Args) { return DrawFocusRect(dc, r); });
    rectCall("INVERTRECT", [](HDC dc, RECT* r, Args) { return InvertRect(dc, r); });
    rectCall("DRAWFRAMECONTROL", [](HDC dc, RECT* r, Args a) {
        return DrawFrameControl(dc, r, static_cast<UINT>(intArg(a, 2)), static_cast<UINT>(intArg(a, 3)));
    });
    registerCallable("MOVETO", [](Args a) -> Value {
        return Value(MoveToEx(dcArg(a, 0), intOf(a, 1), intOf(a, 2), nullptr) != 0);
    });
    registerCallable("LINETO", [](Args a) -> Value {
        HDC dc = dcArg(a, 0);
        HGDIOBJ pen = objectArg(a, 3);
        HGDIOBJ old = pen ? SelectObject(dc, pen) : nullptr;
        const bool ok = LineTo(dc, intOf(a, 1), intOf(a, 2)) != 0;
        if (old) SelectObject(dc, old);
        return Value(ok);
    });
    registerCallable("ELLIPSE", [](Args a) -> Value {
        return Value(Ellipse(dcArg(a, 0), intOf(a, 1), intOf(a, 2), intOf(a, 3), intOf(a, 4)) != 0);
    });
    registerCallable("EXTFLOODFILL", [](Args a) -> Value {
        return Value(ExtFloodFill(dcArg(a, 0), intOf(a, 1), intOf(a, 2), static_cast<COLORREF>(intArg(a, 3)),
                                  static_cast<UINT>(intArg(a, 4))) != 0);
    });
    // The inflated rectangle is written back into the array and returned.
    registerCallable("INFLATERECT", [](Args a) -> Value {
        rt::ArrayPtr given = rt::arg(a, 0).asArray();
        if (!given) return Value::array({});
        RECT r = rectArg(a, 0);
        InflateRect(&r, intOf(a, 1), intOf(a, 2));
        std::vector<Value> args{Value(given)};
        return answerRect(args, 0, win::toRect(r));
    });
}

void registerFrameworkDrawing() {
    registerCallable("DRAWBOX", [](Args a) -> Value {
        if (auto r = rectFrom(rt::arg(a, 1))) win::drawBox(dcArg(a, 0), *r, reinterpret_cast<HPEN>(handleArg(a, 5)));
        return {};
    });
    registerCallable("DRAWRAISEDBOX", [](Args a) -> Value {
        if (auto r = rectFrom(rt::arg(a, 1))) win::drawRaisedBox(dcArg(a, 0), *r);
        return {};
    });
    registerCallable("DRAWSUNKENBOX", [](Args a) -> Value {
        if (auto r = rectFrom(rt::arg(a, 1))) win::drawSunkenBox(dcArg(a, 0), *r);
        return {};
    });
    for (bool vertical : {true, false})
        registerCallable(vertical ? "VP_GRADIENTFILLV" : "VP_GRADIENTFILLH", [vertical](Args a) -> Value {
            auto r = rectFrom(rt::arg(a, 1));
            return Value(r && win::gradientFill(dcArg(a, 0), *r, intArg(a, 2), intArg(a, 3), vertical));
        });
    registerCallable("VP_LOADIMAGE", [](Args a) -> Value {
        const ResourceName name = resourceName(a, 0);
        if (!name.valid) return Value(0);
        return handleValue(win::loadImage(name.get(), static_cast<UINT>(intArg(a, 1)), intOf(a, 2), intOf(a, 3),
                                          static_cast<UINT>(intArg(a, 4))));
    });
    registerCallable("VP_LOADCURSOR", [](Args a) -> Value {
        const ResourceName name = resourceName(a, 0);
        return name.valid ? handleValue(win::loadCursor(name.get())) : Value(0);
    });
    registerCallable("VP_DRAWITEMSTRUCT", [](Args a) -> Value {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(handleArg(a, 0));
        if (!d) return Value::array({});
        return drawItemArray({d->CtlType, d->CtlID, d->itemID, d->itemAction, d->itemState,
                              reinterpret_cast<intptr_t>(d->hwndItem), reinterpret_cast<intptr_t>(d->hDC),
                              win::toRect(d->rcItem), static_cast<uint64_t>(d->itemData)});
    });
}

void registerSystemMessages() {
    for (const char* name : {"MSGBEEP", "MESSAGEBEEP"})
        registerCallable(name, [](Args a) -> Value {
            MessageBeep(isNumberArg(a, 0) ? static_cast<UINT>(intArg(a, 0)) : 0xFFFFFFFFu);
            return {};
        });
    registerCallable("MSGSYSERROR", [](Args a) -> Value {
        if (isNumberArg(a, 0)) win::msgSysError(intArg(a, 0));
        return {};
    });
    registerCallable("VP_GETSYSERROR", [](Args a) -> Value {
        return Value(isNumberArg(a, 0) ? win::systemErrorText(intArg(a, 0)) : std::string());
    });
}

}  // namespace

void registerPlatformGdiFunctions() {
    registerObjectFunctions();
    registerTextFunctions();
    registerShapeFunctions();
    registerFrameworkDrawing();
    registerSystemMessages();
}

}  // namespace vorpex
