// The progress bar's erase, the folder page's background, the splitter and the transparent track bar.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/painters/further_painters.h"
#include "framework/controls/painters/painter_layout.h"
#include "framework/controls/painters/painter_support.h"
#include "framework/core/gdi/bitmap_draw.h"
#include "framework/core/native/windows_version.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/theme/theme.h"

namespace vorpex {

using rt::Value;
using namespace painters;

namespace {

constexpr int kFolderPagePart = 10;
const POINT kScreenOrigin{0, 0};

// The classic raised outline: highlight up the left and along the top, shadow down the right and back along
// the bottom.
void raisedOutline(HDC dc, const RECT& r) {
    line(dc, GetSysColor(COLOR_BTNHIGHLIGHT), {r.left, r.bottom}, {r.left, r.top});
    line(dc, GetSysColor(COLOR_BTNHIGHLIGHT), {r.left, r.top}, {r.right, r.top});
    line(dc, GetSysColor(COLOR_BTNSHADOW), {r.right, r.top}, {r.right, r.bottom});
    line(dc, GetSysColor(COLOR_BTNSHADOW), {r.right, r.bottom}, {r.left, r.bottom});
}

void drawGripper(HWND window, HDC dc, int64_t align) {
    const RECT client = clientRect(window);
    const bool themed = theme::isAppThemed();
    const auto grip = gripperRect(client.right, client.bottom, align, themed);
    if (!grip) return;
    const RECT r = toRECT(*grip);
    if (!themed) {
        raisedOutline(dc, r);
        return;
    }
    const theme::HTHEMEHANDLE rebar = theme::openThemeData(window, L"Rebar");
    theme::drawThemeBackground(rebar, dc, gripperPart(align), 0, &r, nullptr);
    theme::closeThemeData(rebar);
}

// The folder page's bitmap or theme part over its whole scrollable area, moved by the scroll position.
void drawPageBackground(rt::Object& self, HDC dc, RECT area, HBITMAP bitmap, theme::HTHEMEHANDLE pageTheme,
                        HBRUSH brush) {
    area.right = std::max<LONG>(area.right, static_cast<LONG>(intMember(self, "nVirtualWidth")));
    area.bottom = std::max<LONG>(area.bottom, static_cast<LONG>(intMember(self, "nVirtualHeight")));
    POINT origin{};
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + static_cast<int>(intMember(self, "nClientLeft")),
                     origin.y + static_cast<int>(intMember(self, "nClientTop")), nullptr);
    if (bitmap) {
        VP_DrawBitmap(dc, bitmap, &area, static_cast<int>(intMember(self, "nBkgndMode")), brush);
    } else {
        theme::drawThemeBackground(pageTheme, dc, kFolderPagePart, 0, &area, nullptr);
    }
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

}  // namespace

Value XPROGRESSBAR_WMERASEBKGND(rt::Object&, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    HDC dc = dcArg(args);
    if (window && dc && !theme::getWindowTheme(window)) {
        const RECT client = clientRect(window);
        if (HBRUSH brush = parentStaticBrush(window, dc)) FillRect(dc, &client, brush);
    }
    return Value(1);
}

Value XFOLDERPAGE_WMERASEBKGND(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    const UINT message = messageArg(args);
    PaintScope paint(window, dcArg(args));
    HDC dc = paint.dc();
    if (dc) {
        SavedDC saved(dc);  // the clipping narrowed below stays the page's own
        const RECT client = clientRect(window);
        if (paint.handedIn()) IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
        const auto pageTheme = static_cast<theme::HTHEMEHANDLE>(intMember(self, "hTheme"));
        HBRUSH brush = handleMember<HBRUSH>(self, "oBrush");
        auto bitmap = reinterpret_cast<HBITMAP>(static_cast<intptr_t>(intMember(self, "hBkgnd")));
        if (!isVistaOrLater(windowsVersion()) && flagMember(self, "lTransparent")) {
            VP_DrawParentBackground(window, dc, &kScreenOrigin);
        } else if (bitmap || pageTheme) {
            drawPageBackground(self, dc, client, bitmap, pageTheme, brush);
        } else if (brush) {
            FillRect(dc, &client, brush);
        }
    }
    return Value(message == WM_ERASEBKGND ? 1 : 0);
}

Value XSPLITTER_WMPAINT(rt::Object& self, const rt::Method&, rt::Args args) {
    HWND window = windowArg(args);
    bool handedIn = false;
    {
        // The splitter paints straight onto its window: it is a thin bar, a buffer would gain nothing.
        PaintScope paint(window, dcArg(args), /*buffered=*/false);
        handedIn = paint.handedIn();
        if (HDC dc = paint.dc()) {
            SavedDC saved(dc);
            const RECT client = clientRect(window);
            if (HBRUSH brush = parentStaticBrush(window, dc)) FillRect(dc, &client, brush);
            if (flagMember(self, "lGripper")) drawGripper(window, dc, intMember(self, "nAlign"));
        }
    }
    PaintSelected();
    return Value(handedIn ? 1 : 0);
}

Value XTrackBar_Notify(rt::Object& self, intptr_t header) {
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(header);
    if (!draw) return {};
    const TrackBarAnswer answer = trackBarCustomDraw(static_cast<int>(draw->hdr.code), draw->dwDrawStage,
                                                     static_cast<unsigned>(draw->dwItemSpec),
                                                     flagMember(self, "lTransparent"));
    if (answer.background != TrackBarBackground::None) {
        HWND window = reinterpret_cast<HWND>(handleOf(self));
        if (answer.background == TrackBarBackground::ClippedToThumbBottom) {
            RECT channel = clientRect(window), thumb{};
            SendMessageA(window, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
            channel.bottom = thumb.bottom;
            Clipped clip(draw->hdc, channel);
            VP_DrawParentBackground(window, draw->hdc, &kScreenOrigin);
        } else {
            VP_DrawParentBackground(window, draw->hdc, &kScreenOrigin);
        }
    }
    return answer.answer ? Value(static_cast<long long>(*answer.answer)) : Value();
}

}  // namespace vorpex
