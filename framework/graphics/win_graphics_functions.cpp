// The callable cursor, icon, font, brush and pen functions: thin adapters over Win32.
#include <windows.h>

#include <array>
#include <cstring>
#include <vector>

#include "framework/core/debug/cursor_loader.h"
#include "framework/core/gdi/win_gdi.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_window.h"
#include "framework/graphics/font/font_record.h"
#include "framework/graphics/graphics.h"
#include "framework/graphics/graphics_port.h"
#include "runtime/core/callback_guard.h"

namespace vorpex {

using namespace native;

namespace {

using win::handleValue;
template <class H>
H handleOf(Args a, size_t i) {
    return reinterpret_cast<H>(handleArg(a, i));
}
int intOf(Args a, size_t i) { return static_cast<int>(intArg(a, i)); }
Value pointValue(LONG x, LONG y) { return Value::array({Value(static_cast<int64_t>(x)), Value(static_cast<int64_t>(y))}); }

// A resource name from a text, or from a number's low 16 bits.
struct Name {
    std::string text;
    intptr_t id = 0;
    bool valid = false;
    LPCSTR get() const { return id ? MAKEINTRESOURCEA(id) : text.c_str(); }
};
Name nameArg(Args a, size_t i) {
    const Value& v = rt::arg(a, i);
    if (v.isString()) return {v.asString(), 0, true};
    if (v.isNumber()) return {{}, static_cast<intptr_t>(v.asInteger() & 0xFFFF), true};
    return {};
}

// One cached cursor: loaded on first use, kept for the run, made current by each call.
Value switchTo(HCURSOR& cache, HCURSOR (*load)()) {
    if (!cache) cache = load();
    return handleValue(SetCursor(cache));
}
// Through the framework's own loader, as every framework cursor load goes.
HCURSOR systemCursor(LPCSTR id) { return win::loadFrameworkCursor(nullptr, id); }

void registerCursorFunctions() {
    struct Cached {
        const char* name;
        HCURSOR (*load)();
    };
    static HCURSOR caches[7] = {};
    static const Cached cached[] = {
        {"CURSORARROW", [] { return systemCursor(IDC_ARROW); }},
        {"CURSORWAIT", [] { return systemCursor(IDC_WAIT); }},
        {"CURSORHAND", [] { return systemCursor(IDC_HAND); }},
        {"CURSORNS", [] { return systemCursor(IDC_SIZENS); }},
        {"CURSORWE", [] { return systemCursor(IDC_SIZEWE); }},
        {"CURSORDRAGYES", [] { return win::loadCursor("VP_CUR_DRAG"); }},
        {"CURSORDRAGNO", [] { return systemCursor(IDC_NO); }},
    };
    for (size_t i = 0; i < std::size(cached); ++i)
        registerCallable(cached[i].name, [i](Args) { return switchTo(caches[i], cached[i].load); });

    registerCallable("LOADCURSOR", [](Args a) -> Value {
        const Name name = nameArg(a, 1);
        return name.valid ? handleValue(win::loadFrameworkCursor(handleOf<HINSTANCE>(a, 0), name.get())) : Value(0);
    });
    registerCallable("LOADCURSORFROMFILE", [](Args a) -> Value {
        const std::string* file = textArg(a, 0);
        return file ? handleValue(LoadCursorFromFileA(file->c_str())) : Value(0);
    });
    registerCallable("DESTROYCURSOR", [](Args a) { return Value(DestroyCursor(handleOf<HCURSOR>(a, 0)) != 0); });
    registerCallable("SHOWCURSOR", [](Args a) { return Value(static_cast<int64_t>(ShowCursor(logicalArg(a, 0)))); });
    registerCallable("SETCURSOR", [](Args a) { return handleValue(SetCursor(handleOf<HCURSOR>(a, 0))); });
    registerCallable("GETCURSOR", [](Args) { return handleValue(GetCursor()); });
    registerCallable("GETCURSORPOS", [](Args a) -> Value {
        POINT p{};
        GetCursorPos(&p);
        if (a.size() == 2 && isReferenceArg(a, 0) && isReferenceArg(a, 1)) {
            a[0].assign(Value(static_cast<int64_t>(p.x)));
            a[1].assign(Value(static_cast<int64_t>(p.y)));
        }
        return pointValue(p.x, p.y);
    });
    registerCallable("SETCURSORPOS", [](Args a) { return Value(SetCursorPos(intOf(a, 0), intOf(a, 1)) != 0); });
    registerCallable("COPYCURSOR", [](Args a) { return handleValue(CopyIcon(handleOf<HICON>(a, 0))); });
    registerCallable("SETSYSTEMCURSOR", [](Args a) {
        return Value(SetSystemCursor(handleOf<HCURSOR>(a, 0), static_cast<DWORD>(intArg(a, 1))) != 0);
    });
}

void registerIconFunctions() {
    registerCallable("LOADICON", [](Args a) -> Value {
        const Name name = nameArg(a, 1);
        return name.valid ? handleValue(LoadIconA(handleOf<HINSTANCE>(a, 0), name.get())) : Value(0);
    });
    registerCallable("EXTRACTICON", [](Args a) -> Value {
        const std::string* file = textArg(a, 1);
        if (!file) return Value(0);
        HINSTANCE module = handleOf<HINSTANCE>(a, 0);
        HICON h = ExtractIconA(module ? module : win::programInstance(), file->c_str(), static_cast<UINT>(intArg(a, 2)));
        // 1 means "a file, but no icon in it".
        return reinterpret_cast<intptr_t>(h) > 1 ? handleValue(h) : Value(0);
    });
    registerCallable("DESTROYICON", [](Args a) { return Value(DestroyIcon(handleOf<HICON>(a, 0)) != 0); });
    registerCallable("DRAWICON", [](Args a) {
        return Value(DrawIcon(handleOf<HDC>(a, 0), intOf(a, 1), intOf(a, 2), handleOf<HICON>(a, 3)) != 0);
    });
    registerCallable("DRAWICONEX", [](Args a) {
        return Value(DrawIconEx(handleOf<HDC>(a, 0), intOf(a, 1), intOf(a, 2), handleOf<HICON>(a, 3), intOf(a, 4),
                                intOf(a, 5), static_cast<UINT>(intArg(a, 6)), handleOf<HBRUSH>(a, 7),
                                static_cast<UINT>(intArg(a, 8))) != 0);
    });
    registerCallable("COPYICON", [](Args a) { return handleValue(CopyIcon(handleOf<HICON>(a, 0))); });
    registerCallable("DUPLICATEICON", [](Args a) {
        return handleValue(DuplicateIcon(nullptr, handleOf<HICON>(a, 1)));
    });
    // The record as bytes, with its two bitmaps already deleted (and their fields zeroed): the caller gets the
    // flags and the hot spot, and nothing to leak.
    registerCallable("GETICONINFO", [](Args a) -> Value {
        ICONINFO info{};
        if (!GetIconInfo(handleOf<HICON>(a, 0), &info)) return Value("");
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        info.hbmMask = nullptr;
        info.hbmColor = nullptr;
        return Value(std::string(reinterpret_cast<const char*>(&info), sizeof info));
    });
}

int CALLBACK collectFace(const LOGFONTA* lf, const TEXTMETRICA*, DWORD type, LPARAM list) {
    reinterpret_cast<std::vector<gfx::FontEntry>*>(list)->push_back({lf->lfFaceName, static_cast<int64_t>(type)});
    return 1;
}

void registerFontFunctions() {
    registerCallable("SIZETOHEIGHT", [](Args a) {
        return Value(gfx::sizeToHeight(rt::arg(a, 0).asDouble(), gfx::graphicsPort().logPixelsY(handleArg(a, 1))));
    });
    registerCallable("HEIGHTTOSIZE", [](Args a) {
        return Value(gfx::heightToSize(intArg(a, 0), gfx::graphicsPort().logPixelsY(handleArg(a, 1))));
    });
    registerCallable("GETTEXTSIZE", [](Args a) {
        const gfx::TextExtent e = gfx::graphicsPort().textExtent(handleArg(a, 0), textOr(a, 1), handleArg(a, 2));
        return Value::array({Value(e.cx), Value(e.cy)});
    });
    registerCallable("CREATEFONT", [](Args a) {
        gfx::LogFont f;
        f.height = intArg(a, 0);
        f.width = intArg(a, 1);
        f.escapement = intArg(a, 2);
        f.orientation = intArg(a, 3);
        f.weight = intArg(a, 4);
        const int64_t style = intArg(a, 5);
        f.italic = style & gfx::kStyleItalic;
        f.underline = style & gfx::kStyleUnderline;
        f.strikeOut = style & gfx::kStyleStrikeOut;
        f.faceName = textOr(a, 6).substr(0, gfx::kMaxFaceName);
        f.charSet = intArg(a, 7);
        return Value(static_cast<int64_t>(gfx::graphicsPort().createFont(f)));
    });
    registerCallable("GETFONTNAMES", [](Args a) -> Value {
        const Value& third = rt::arg(a, 2);
        const int64_t mask = intArg(a, 0, 7);
        const bool sorted = !(third.isLogical() && !third.asLogical()) && !(third.isNumber() && third.asInteger() == 0);
        LOGFONTA lf{};
        lf.lfCharSet = static_cast<BYTE>(third.isNumber() ? third.asInteger() : DEFAULT_CHARSET);
        HDC dc = handleOf<HDC>(a, 1);
        HWND desktop = GetDesktopWindow();
        HDC own = dc ? nullptr : GetDC(desktop);
        std::vector<gfx::FontEntry> entries;
        EnumFontFamiliesExA(dc ? dc : own, &lf, collectFace, reinterpret_cast<LPARAM>(&entries), 0);
        if (own) ReleaseDC(desktop, own);
        std::vector<Value> names;
        for (std::string& n : gfx::fontNames(entries, mask, sorted)) names.emplace_back(std::move(n));
        return Value::array(std::move(names));
    });
    registerCallable("ADDFONTRESOURCE", [](Args a) {
        return Value(static_cast<int64_t>(AddFontResourceA(textOr(a, 0).c_str())));
    });
    registerCallable("REMOVEFONTRESOURCE", [](Args a) { return Value(RemoveFontResourceA(textOr(a, 0).c_str()) != 0); });
    registerCallable("CREATESCALABLEFONTRESOURCE", [](Args a) {
        const std::string res = textOr(a, 1), file = textOr(a, 2), path = textOr(a, 3);
        return Value(CreateScalableFontResourceA(static_cast<DWORD>(intArg(a, 0)), res.c_str(), file.c_str(),
                                                 path.empty() ? nullptr : path.c_str()) != 0);
    });
    registerCallable("GETFONTLANGUAGEINFO", [](Args a) {
        return Value(static_cast<int64_t>(GetFontLanguageInfo(handleOf<HDC>(a, 0))));
    });
}

Value originValue(BOOL ok, const POINT& p) { return ok ? pointValue(p.x, p.y) : Value(); }

void registerBrushAndPenFunctions() {
    registerCallable("CREATESOLIDBRUSH", [](Args a) { return handleValue(CreateSolidBrush(static_cast<COLORREF>(intArg(a, 0)))); });
    registerCallable("CREATEPATTERNBRUSH", [](Args a) { return handleValue(CreatePatternBrush(handleOf<HBITMAP>(a, 0))); });
    registerCallable("CREATEHATCHBRUSH", [](Args a) {
        return handleValue(CreateHatchBrush(intOf(a, 0), static_cast<COLORREF>(intArg(a, 1))));
    });
    registerCallable("CREATEBRUSHINDIRECT", [](Args a) {
        return Value(static_cast<int64_t>(gfx::graphicsPort().createBrushIndirect(intArg(a, 0), intArg(a, 1), intArg(a, 2))));
    });
    registerCallable("GETBRUSHORGEX", [](Args a) {
        POINT p{};
        return originValue(GetBrushOrgEx(handleOf<HDC>(a, 0), &p), p);
    });
    registerCallable("SETBRUSHORGEX", [](Args a) {
        POINT p{};
        return originValue(SetBrushOrgEx(handleOf<HDC>(a, 0), intOf(a, 1), intOf(a, 2), &p), p);
    });
    registerCallable("GETSYSCOLORBRUSH", [](Args a) { return handleValue(GetSysColorBrush(intOf(a, 0))); });
    registerCallable("CREATEPEN", [](Args a) {
        return handleValue(CreatePen(intOf(a, 0), intOf(a, 1), static_cast<COLORREF>(intArg(a, 2))));
    });
    registerCallable("CREATEPENINDIRECT", [](Args a) {
        LOGPEN lp{};
        lp.lopnStyle = static_cast<UINT>(intArg(a, 0));
        lp.lopnWidth.x = intOf(a, 1);
        lp.lopnColor = static_cast<COLORREF>(intArg(a, 2));
        return handleValue(CreatePenIndirect(&lp));
    });
    registerCallable("SETBLACKPEN", [](Args a) { return handleValue(SelectObject(handleOf<HDC>(a, 0), GetStockObject(BLACK_PEN))); });
    registerCallable("SETWHITEPEN", [](Args a) { return handleValue(SelectObject(handleOf<HDC>(a, 0), GetStockObject(WHITE_PEN))); });
}

}  // namespace

void registerPlatformGraphicsFunctions() {
    registerCursorFunctions();
    registerIconFunctions();
    registerFontFunctions();
    registerBrushAndPenFunctions();
}

}  // namespace vorpex
