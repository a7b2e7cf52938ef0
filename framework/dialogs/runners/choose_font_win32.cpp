// ChooseFontA with the common dialogs' hook, started from the given font: a point size is turned into the
// height at the vertical resolution of the printer DC given, else of the screen.
#include <windows.h>

#include <commdlg.h>

#include "framework/dialogs/help/dialog_hook_win32.h"
#include "framework/dialogs/runners/choose_font.h"

namespace vorpex {

namespace {

UINT_PTR CALLBACK fontHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* record = message == WM_INITDIALOG ? reinterpret_cast<const CHOOSEFONTA*>(lParam) : nullptr;
    return win::commonDialogHook(dialog, message, wParam,
                                 record ? reinterpret_cast<const win::DialogHookSetUp*>(record->lCustData) : nullptr);
}

int verticalResolution(HDC printer) {
    if (printer)
        if (const int dpi = GetDeviceCaps(printer, LOGPIXELSY); dpi > 0) return dpi;
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

LOGFONTA logFontOf(const FontChoice& f, HDC printer) {
    LOGFONTA lf{};
    lstrcpynA(lf.lfFaceName, f.name.c_str(), LF_FACESIZE);
    lf.lfHeight = f.size > 0 ? -MulDiv(static_cast<int>(f.size), verticalResolution(printer), 72)
                             : static_cast<LONG>(f.height);
    lf.lfWidth = static_cast<LONG>(f.width);
    lf.lfWeight = static_cast<LONG>(f.weight);
    lf.lfItalic = f.italic;
    lf.lfUnderline = f.underline;
    lf.lfStrikeOut = f.strikeOut;
    lf.lfCharSet = static_cast<BYTE>(f.charSet);
    return lf;
}

FontChoice choiceOf(const LOGFONTA& lf, const CHOOSEFONTA& c) {
    FontChoice f;
    f.name = lf.lfFaceName;
    f.size = c.iPointSize / 10;
    f.height = lf.lfHeight;
    f.width = lf.lfWidth;
    f.weight = lf.lfWeight;
    f.style = c.nFontType;
    f.italic = lf.lfItalic != 0;
    f.underline = lf.lfUnderline != 0;
    f.strikeOut = lf.lfStrikeOut != 0;
    f.charSet = lf.lfCharSet;
    f.color = c.rgbColors;
    return f;
}

}  // namespace

FontAnswer runChooseFont(const FontRequest& r) {
    const HDC printer = reinterpret_cast<HDC>(r.printerDC);
    LOGFONTA lf = logFontOf(r.font, printer);
    const win::DialogHookSetUp setUp{r.dialog, (r.flags & CF_SHOWHELP) != 0, r.center, reinterpret_cast<HWND>(r.owner)};
    CHOOSEFONTA c{};
    c.lStructSize = sizeof c;
    c.hwndOwner = reinterpret_cast<HWND>(r.owner);
    c.hDC = (r.flags & CF_PRINTERFONTS) ? printer : nullptr;
    c.lpLogFont = &lf;
    c.Flags = r.flags | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
    c.rgbColors = static_cast<COLORREF>(r.font.color);
    c.lCustData = reinterpret_cast<LPARAM>(&setUp);
    c.lpfnHook = fontHook;
    c.nSizeMin = static_cast<INT>(r.sizeMin);
    c.nSizeMax = static_cast<INT>(r.sizeMax);
    FontAnswer a;
    a.ok = ChooseFontA(&c) != FALSE;
    if (!a.ok) {
        a.error = CommDlgExtendedError();
        return a;
    }
    a.font = choiceOf(lf, c);
    return a;
}

}  // namespace vorpex
