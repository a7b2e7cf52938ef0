#include "message_names.h"

#include <algorithm>

namespace vorpex {

namespace {

// Sorted by number. Message 26 has two Win32 names; a class may answer it under either, the first one first.
constexpr MessageName kNames[] = {
    {0x0001, "WM_CREATE", "WMCreate"},
    {0x0002, "WM_DESTROY", "WMDestroy"},
    {0x0003, "WM_MOVE", "WMMove"},
    {0x0005, "WM_SIZE", "WMSize"},
    {0x0006, "WM_ACTIVATE", "WMActivate"},
    {0x0007, "WM_SETFOCUS", "WMSetFocus"},
    {0x0008, "WM_KILLFOCUS", "WMKillFocus"},
    {0x000A, "WM_ENABLE", "WMEnable"},
    {0x000F, "WM_PAINT", "WMPaint"},
    {0x0010, "WM_CLOSE", "WMClose"},
    {0x0011, "WM_QUERYENDSESSION", "WMQueryEndSession"},
    {0x0014, "WM_ERASEBKGND", "WMEraseBkgnd"},
    {0x0015, "WM_SYSCOLORCHANGE", "WMSysColorChange"},
    {0x0016, "WM_ENDSESSION", "WMEndSession"},
    {0x0018, "WM_SHOWWINDOW", "WMShowWindow"},
    {0x001A, "WM_SETTINGCHANGE", "WMSettingChange"},
    {0x001A, "WM_WININICHANGE", "WMWinIniChange"},
    {0x001B, "WM_DEVMODECHANGE", "WMDevModeChange"},
    {0x001C, "WM_ACTIVATEAPP", "WMActivateApp"},
    {0x001D, "WM_FONTCHANGE", "WMFontChange"},
    {0x001E, "WM_TIMECHANGE", "WMTimeChange"},
    {0x001F, "WM_CANCELMODE", "WMCancelMode"},
    {0x0020, "WM_SETCURSOR", "WMSetCursor"},
    {0x0021, "WM_MOUSEACTIVATE", "WMMouseActivate"},
    {0x0022, "WM_CHILDACTIVATE", "WMChildActivate"},
    {0x0024, "WM_GETMINMAXINFO", "WMGetMinMaxInfo"},
    {0x002B, "WM_DRAWITEM", "WMDrawItem"},
    {0x002C, "WM_MEASUREITEM", "WMMeasureItem"},
    {0x0030, "WM_SETFONT", "WMSetFont"},
    {0x0041, "WM_COMPACTING", "WMCompacting"},
    {0x0046, "WM_WINDOWPOSCHANGING", "WMWindowPosChanging"},
    {0x0047, "WM_WINDOWPOSCHANGED", "WMWindowPosChanged"},
    {0x004E, "WM_NOTIFY", "WMNotify"},
    {0x0053, "WM_HELP", "WMHelp"},
    {0x0054, "WM_USERCHANGED", "WMUserChanged"},
    {0x007B, "WM_CONTEXTMENU", "WMContextMenu"},
    {0x007E, "WM_DISPLAYCHANGE", "WMDisplayChange"},
    {0x0081, "WM_NCCREATE", "WMNCCreate"},
    {0x0082, "WM_NCDESTROY", "WMNCDestroy"},
    {0x0083, "WM_NCCALCSIZE", "WMNCCalcSize"},
    {0x0084, "WM_NCHITTEST", "WMNCHitTest"},
    {0x0085, "WM_NCPAINT", "WMNCPaint"},
    {0x0086, "WM_NCACTIVATE", "WMNCActivate"},
    {0x0087, "WM_GETDLGCODE", "WMGetDlgCode"},
    {0x00A0, "WM_NCMOUSEMOVE", "WMNCMouseMove"},
    {0x00A1, "WM_NCLBUTTONDOWN", "WMNCLButtonDown"},
    {0x00A2, "WM_NCLBUTTONUP", "WMNCLButtonUp"},
    {0x00A3, "WM_NCLBUTTONDBLCLK", "WMNCLButtonDblClk"},
    {0x0100, "WM_KEYDOWN", "WMKeyDown"},
    {0x0101, "WM_KEYUP", "WMKeyUp"},
    {0x0102, "WM_CHAR", "WMChar"},
    {0x0104, "WM_SYSKEYDOWN", "WMSysKeyDown"},
    {0x0105, "WM_SYSKEYUP", "WMSysKeyUp"},
    {0x0106, "WM_SYSCHAR", "WMSysChar"},
    {0x0111, "WM_COMMAND", "WMCommand"},
    {0x0112, "WM_SYSCOMMAND", "WMSysCommand"},
    {0x0113, "WM_TIMER", "WMTimer"},
    {0x0114, "WM_HSCROLL", "WMHScroll"},
    {0x0115, "WM_VSCROLL", "WMVScroll"},
    {0x0116, "WM_INITMENU", "WMInitMenu"},
    {0x0117, "WM_INITMENUPOPUP", "WMInitMenuPopup"},
    {0x011F, "WM_MENUSELECT", "WMMenuSelect"},
    {0x0127, "WM_CHANGEUISTATE", "WMChangeUIState"},
    {0x0132, "WM_CTLCOLORMSGBOX", "WMCtlColorMsgBox"},
    {0x0133, "WM_CTLCOLOREDIT", "WMCtlColorEdit"},
    {0x0134, "WM_CTLCOLORLISTBOX", "WMCtlColorListBox"},
    {0x0135, "WM_CTLCOLORBTN", "WMCtlColorBtn"},
    {0x0136, "WM_CTLCOLORDLG", "WMCtlColorDlg"},
    {0x0137, "WM_CTLCOLORSCROLLBAR", "WMCtlColorScrollBar"},
    {0x0138, "WM_CTLCOLORSTATIC", "WMCtlColorStatic"},
    {0x0200, "WM_MOUSEMOVE", "WMMouseMove"},
    {0x0201, "WM_LBUTTONDOWN", "WMLButtonDown"},
    {0x0202, "WM_LBUTTONUP", "WMLButtonUp"},
    {0x0203, "WM_LBUTTONDBLCLK", "WMLButtonDblClk"},
    {0x0204, "WM_RBUTTONDOWN", "WMRButtonDown"},
    {0x0205, "WM_RBUTTONUP", "WMRButtonUp"},
    {0x0206, "WM_RBUTTONDBLCLK", "WMRButtonDblClk"},
    {0x0207, "WM_MBUTTONDOWN", "WMMButtonDown"},
    {0x0208, "WM_MBUTTONUP", "WMMButtonUp"},
    {0x0209, "WM_MBUTTONDBLCLK", "WMMButtonDblClk"},
    {0x020A, "WM_MOUSEWHEEL", "WMMouseWheel"},
    {0x0210, "WM_PARENTNOTIFY", "WMParentNotify"},
    {0x0211, "WM_ENTERMENULOOP", "WMEnterMenuLoop"},
    {0x0212, "WM_EXITMENULOOP", "WMExitMenuLoop"},
    {0x0215, "WM_CAPTURECHANGED", "WMCaptureChanged"},
    {0x0218, "WM_POWERBROADCAST", "WMPowerBroadcast"},
    {0x0219, "WM_DEVICECHANGE", "WMDeviceChange"},
    {0x0222, "WM_MDIACTIVATE", "WMMDIActivate"},
    {0x0231, "WM_ENTERSIZEMOVE", "WMEnterSizeMove"},
    {0x0232, "WM_EXITSIZEMOVE", "WMExitSizeMove"},
    {0x0233, "WM_DROPFILES", "WMDropFiles"},
    {0x02A3, "WM_MOUSELEAVE", "WMMouseLeave"},
    {0x0300, "WM_CUT", "WMCut"},
    {0x0301, "WM_COPY", "WMCopy"},
    {0x0302, "WM_PASTE", "WMPaste"},
    {0x0303, "WM_CLEAR", "WMClear"},
    {0x0304, "WM_UNDO", "WMUndo"},
    {0x0312, "WM_HOTKEY", "WMHotKey"},
    {0x0318, "WM_PRINTCLIENT", "WMPrintClient"},
    {0x031A, "WM_THEMECHANGED", "WMThemeChanged"},
    {kVorpexMessage, "WM_VORPEX", "WMVorpex"},
};

}  // namespace

std::span<const MessageName> messageNames() { return kNames; }

std::string_view messageMethodName(unsigned message) {
    auto it = std::lower_bound(std::begin(kNames), std::end(kNames), message,
                               [](const MessageName& n, unsigned m) { return n.number < m; });
    return it != std::end(kNames) && it->number == message ? it->methodName : std::string_view{};
}

std::string methodNameFromWin32(std::string_view win32Name) {
    std::string out = "WM";
    if (win32Name.starts_with("WM_")) win32Name.remove_prefix(3);
    for (char c : win32Name)
        if (c != '_') out += c;
    return out;
}

}  // namespace vorpex
