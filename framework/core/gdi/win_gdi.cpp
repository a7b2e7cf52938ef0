#include "framework/core/gdi/win_gdi.h"

#include "framework/core/gdi/color.h"
#include "framework/core/debug/cursor_loader.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/native/win_window.h"

namespace vorpex::win {

namespace {

ResourceModuleList& moduleList() {
    static ResourceModuleList list;
    return list;
}

// A line path with one solid one-pixel pen; `points` are visited in order from the first.
void polyline(HDC dc, COLORREF color, const POINT* points, size_t count) {
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, points[0].x, points[0].y, nullptr);
    for (size_t i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// (right, top) -> (left, top) -> (left, bottom) in the first colour, on to (right, bottom) -> (right, top)
// in the second.
void twoToneBox(HDC dc, const Rect& r, COLORREF first, COLORREF second) {
    const RECT q = toRECT(r);
    const POINT light[] = {{q.right, q.top}, {q.left, q.top}, {q.left, q.bottom}};
    const POINT dark[] = {{q.left, q.bottom}, {q.right, q.bottom}, {q.right, q.top}};
    polyline(dc, first, light, 3);
    polyline(dc, second, dark, 3);
}

}  // namespace

void setResourceModules(ResourceModuleList modules) { moduleList() = std::move(modules); }

std::vector<HINSTANCE> resourceModules() {
    std::vector<HINSTANCE> out;
    if (moduleList())
        for (intptr_t m : moduleList()()) {
            if (m == 0) break;  // the list is packed: the first empty slot ends it
            out.push_back(reinterpret_cast<HINSTANCE>(m));
        }
    if (out.empty()) out.push_back(programInstance());
    return out;
}

HANDLE loadImage(LPCSTR name, UINT type, int cx, int cy, UINT flags) {
    for (HINSTANCE module : resourceModules())
        if (HANDLE h = LoadImageA(module, name, type, cx, cy, flags)) return h;
    return nullptr;
}

HCURSOR loadCursor(LPCSTR name) {
    for (HINSTANCE module : resourceModules())
        if (HCURSOR h = loadFrameworkCursor(module, name)) return h;
    return nullptr;
}

void drawBox(HDC dc, const Rect& r, HPEN pen) {
    HGDIOBJ old = SelectObject(dc, pen ? static_cast<HGDIOBJ>(pen) : GetStockObject(BLACK_PEN));
    const RECT q = toRECT(r);
    MoveToEx(dc, q.left, q.top, nullptr);
    LineTo(dc, q.left, q.bottom);
    LineTo(dc, q.right, q.bottom);
    LineTo(dc, q.right, q.top);
    LineTo(dc, q.left, q.top);
    SelectObject(dc, old);
}

void drawRaisedBox(HDC dc, const Rect& r) {
    twoToneBox(dc, r, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void drawSunkenBox(HDC dc, const Rect& r) {
    twoToneBox(dc, r, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
}

bool gradientFill(HDC dc, const Rect& r, int64_t color1, int64_t color2, bool vertical) {
    const VertexColor c1 = vertexColor(color1), c2 = vertexColor(color2);
    TRIVERTEX vertices[2] = {
        {static_cast<LONG>(r.left), static_cast<LONG>(r.top), c1.red, c1.green, c1.blue, c1.alpha},
        {static_cast<LONG>(r.right), static_cast<LONG>(r.bottom), c2.red, c2.green, c2.blue, c2.alpha},
    };
    GRADIENT_RECT mesh{0, 1};
    return GradientFill(dc, vertices, 2, &mesh, 1, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H) != 0;
}

int screenColors() {
    static const int bits = [] {
        HDC dc = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        if (!dc) return 0;
        const int n = GetDeviceCaps(dc, PLANES) * GetDeviceCaps(dc, BITSPIXEL);
        DeleteDC(dc);
        return n;
    }();
    return bits;
}

std::string systemErrorText(int64_t code) {
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    for (DWORD language : {DWORD{0x400}, DWORD{0}}) {
        char* buffer = nullptr;
        const DWORD n = FormatMessageA(flags, nullptr, static_cast<DWORD>(code), language,
                                       reinterpret_cast<char*>(&buffer), 0, nullptr);
        if (n == 0 || !buffer) continue;
        std::string text(buffer, n);
        LocalFree(buffer);
        return text;
    }
    return {};
}

void msgSysError(int64_t code) {
    const std::string text = systemErrorText(code);
    if (text.empty()) return;
    messageBox(rt::Value(text), rt::Value("Error"), MB_ICONERROR);
}

}  // namespace vorpex::win
