// The callable window, message and input functions: thin adapters over Win32 and the typed helpers.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "framework/core/native/geometry.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_functions.h"
#include "framework/core/native/win_window.h"
#include "framework/core/window/window_proc.h"

namespace vorpex::win {

using namespace native;

namespace {

HWND hwnd(Args a, size_t i) { return toHwnd(handleArg(a, i)); }
HDC hdc(Args a, size_t i) { return reinterpret_cast<HDC>(handleArg(a, i)); }

template <class F>
void windowTest(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value { return Value(f(hwnd(a, 0)) != 0); });
}

template <class F>
void handleQuery(const char* name, F f) {
    registerCallable(name, [f](Args) -> Value { return handleValue(f()); });
}

// The rectangle argument of INVALIDATERECT and friends: none means the whole client area.
std::optional<RECT> optionalRect(Args a, size_t i) {
    auto r = rectFrom(rt::arg(a, i));
    if (!r) return std::nullopt;
    return toRECT(*r);
}

void registerClassFunctions() {
    registerCallable("REGISTERCLASS", [](Args a) -> Value {
        const std::string* name = textArg(a, 0);
        if (!name) return Value(0);
        return Value(static_cast<int64_t>(registerClass(*name, static_cast<UINT>(intArg(a, 1)),
                                                        reinterpret_cast<HCURSOR>(handleArg(a, 2)),
                                                        reinterpret_cast<HBRUSH>(handleArg(a, 3)))));
    });
    registerCallable("GETCLASSINFO", [](Args a) -> Value {
        const std::string* name = textArg(a, 0);
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        return Value(name && GetClassInfoExA(programInstance(), name->c_str(), &wc) != 0);
    });
    registerCallable("GETCLASSNAME", [](Args a) -> Value {
        char buffer[257]{};
        const int n = GetClassNameA(hwnd(a, 0), buffer, sizeof buffer);
        return Value(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0));
    });
    registerCallable("CREATEWINDOW", [](Args a) -> Value {
        const std::string* cls = textArg(a, 0);
        if (!cls) return Value(0);
        const std::string title = textOr(a, 1);
        HWND h = CreateWindowExA(static_cast<DWORD>(intArg(a, 3)), cls->c_str(), title.c_str(),
                                 static_cast<DWORD>(intArg(a, 2)), static_cast<int>(intArg(a, 4)),
                                 static_cast<int>(intArg(a, 5)), static_cast<int>(intArg(a, 6)),
                                 static_cast<int>(intArg(a, 7)), hwnd(a, 8),
                                 reinterpret_cast<HMENU>(handleArg(a, 9)), programInstance(), nullptr);
        windowCreationEnded();  // no later window may adopt a link record this creation left unclaimed
        return handleValue(h);
    });
}

void registerWindowStateFunctions() {
    windowTest("DESTROYWINDOW", DestroyWindow);
    windowTest("UPDATEWINDOW", UpdateWindow);
    windowTest("SETFOREGROUNDWINDOW", SetForegroundWindow);
    windowTest("ISWINDOW", IsWindow);
    windowTest("ISWINDOWVISIBLE", IsWindowVisible);
    windowTest("ISWINDOWENABLED", IsWindowEnabled);
    windowTest("ISZOOMED", IsZoomed);
    windowTest("ISICONIC", IsIconic);
    registerCallable("SHOWWINDOW", [](Args a) -> Value {
        return Value(ShowWindow(hwnd(a, 0), static_cast<int>(intArg(a, 1, SW_SHOWNORMAL))) != 0);
    });
    registerCallable("ENABLEWINDOW", [](Args a) -> Value {
        return Value(EnableWindow(hwnd(a, 0), logicalArg(a, 1, true)) != 0);
    });
    registerCallable("ISCHILD", [](Args a) -> Value { return Value(IsChild(hwnd(a, 0), hwnd(a, 1)) != 0); });
    registerCallable("SETACTIVEWINDOW", [](Args a) -> Value { return handleValue(SetActiveWindow(hwnd(a, 0))); });
    registerCallable("SETFOCUS", [](Args a) -> Value { return handleValue(SetFocus(hwnd(a, 0))); });
    registerCallable("SETCAPTURE", [](Args a) -> Value { return handleValue(SetCapture(hwnd(a, 0))); });
    registerCallable("SETPARENT", [](Args a) -> Value { return handleValue(SetParent(hwnd(a, 0), hwnd(a, 1))); });
    registerCallable("RELEASECAPTURE", [](Args) -> Value { return Value(ReleaseCapture() != 0); });
    handleQuery("GETACTIVEWINDOW", GetActiveWindow);
    handleQuery("GETFOREGROUNDWINDOW", GetForegroundWindow);
    handleQuery("GETDESKTOPWINDOW", GetDesktopWindow);
    handleQuery("GETFOCUS", GetFocus);
    handleQuery("GETCAPTURE", GetCapture);
    registerCallable("GETPARENT", [](Args a) -> Value { return handleValue(GetParent(hwnd(a, 0))); });
    registerCallable("GETWINDOW", [](Args a) -> Value {
        return handleValue(GetWindow(hwnd(a, 0), static_cast<UINT>(intArg(a, 1))));
    });
}

void registerWindowDataFunctions() {
    registerCallable("SETWINDOWLONG", [](Args a) -> Value {
        return Value(static_cast<int64_t>(SetWindowLongPtrA(hwnd(a, 0), static_cast<int>(intArg(a, 1)),
                                                            static_cast<LONG_PTR>(intArg(a, 2)))));
    });
    registerCallable("GETWINDOWLONG", [](Args a) -> Value {
        return Value(static_cast<int64_t>(GetWindowLongPtrA(hwnd(a, 0), static_cast<int>(intArg(a, 1)))));
    });
    registerCallable("SETCLASSLONG", [](Args a) -> Value {
        return Value(static_cast<int64_t>(SetClassLongPtrA(hwnd(a, 0), static_cast<int>(intArg(a, 1)),
                                                           static_cast<LONG_PTR>(intArg(a, 2)))));
    });
    registerCallable("GETCLASSLONG", [](Args a) -> Value {
        return Value(static_cast<int64_t>(GetClassLongPtrA(hwnd(a, 0), static_cast<int>(intArg(a, 1)))));
    });
    registerCallable("GETWINDOWTEXT", [](Args a) -> Value { return Value(windowText(hwnd(a, 0))); });
    registerCallable("SETWINDOWTEXT", [](Args a) -> Value {
        const std::string* text = textArg(a, 1);
        return Value(text && SetWindowTextA(hwnd(a, 0), text->c_str()) != 0);
    });
}

void registerGeometryFunctions() {
    registerCallable("MOVEWINDOW", [](Args a) -> Value {
        return Value(MoveWindow(hwnd(a, 0), static_cast<int>(intArg(a, 1)), static_cast<int>(intArg(a, 2)),
                                static_cast<int>(intArg(a, 3)), static_cast<int>(intArg(a, 4)),
                                logicalArg(a, 5, true)) != 0);
    });
    registerCallable("SETWINDOWPOS", [](Args a) -> Value {
        return Value(SetWindowPos(hwnd(a, 0), hwnd(a, 1), static_cast<int>(intArg(a, 2)),
                                  static_cast<int>(intArg(a, 3)), static_cast<int>(intArg(a, 4)),
                                  static_cast<int>(intArg(a, 5)), static_cast<UINT>(intArg(a, 6))) != 0);
    });
    registerCallable("GETCLIENTRECT", [](Args a) -> Value { return answerRect(a, 1, clientRect(hwnd(a, 0))); });
    registerCallable("GETWINDOWRECT", [](Args a) -> Value { return answerRect(a, 1, windowRect(hwnd(a, 0))); });
    for (bool toScreen : {true, false})
        registerCallable(toScreen ? "CLIENTTOSCREEN" : "SCREENTOCLIENT", [toScreen](Args a) -> Value {
            auto p = pointFrom(a, 1);
            if (!p) return Value::array({});
            POINT pt{static_cast<LONG>(p->x), static_cast<LONG>(p->y)};
            if (toScreen)
                ClientToScreen(hwnd(a, 0), &pt);
            else
                ScreenToClient(hwnd(a, 0), &pt);
            return answerPoint(a, 1, {pt.x, pt.y});
        });
    registerCallable("INVALIDATERECT", [](Args a) -> Value {
        auto r = optionalRect(a, 1);
        return Value(InvalidateRect(hwnd(a, 0), r ? &*r : nullptr, logicalArg(a, 2, true)) != 0);
    });
    registerCallable("VALIDATERECT", [](Args a) -> Value {
        auto r = optionalRect(a, 1);
        return Value(ValidateRect(hwnd(a, 0), r ? &*r : nullptr) != 0);
    });
    registerCallable("REDRAWWINDOW", [](Args a) -> Value {
        auto r = optionalRect(a, 1);
        return Value(RedrawWindow(hwnd(a, 0), r ? &*r : nullptr, reinterpret_cast<HRGN>(handleArg(a, 2)),
                                  static_cast<UINT>(intArg(a, 3))) != 0);
    });
    registerCallable("CENTERWINDOW", [](Args a) -> Value { return Value(centerWindow(hwnd(a, 0), hwnd(a, 1))); });
    registerCallable("CENTERMDIWINDOW", [](Args a) -> Value { return Value(centerMdiWindow(hwnd(a, 0))); });
}

void registerPaintFunctions() {
    registerCallable("BEGINPAINT", [](Args a) -> Value {
        PAINTSTRUCT ps{};
        HDC dc = BeginPaint(hwnd(a, 0), &ps);
        if (a.size() > 1) a[1].assign(Value(std::string(reinterpret_cast<const char*>(&ps), sizeof ps)));
        return handleValue(dc);
    });
    // The record must be a whole PAINTSTRUCT: a shorter text would be read past its end.
    registerCallable("ENDPAINT", [](Args a) -> Value {
        const std::string* record = textArg(a, 1);
        if (!record || record->size() < sizeof(PAINTSTRUCT)) return Value(false);
        PAINTSTRUCT ps;
        std::copy_n(record->data(), sizeof ps, reinterpret_cast<char*>(&ps));
        return Value(EndPaint(hwnd(a, 0), &ps) != 0);
    });
}

// A text message parameter: the platform may write into the buffer it is given (WM_GETTEXT, EM_GETLINE,
// LB_GETTEXT...), so it gets a private copy with room, never the runtime's own string. `room` is the size
// a message announces in its other parameter; a minimum covers messages that announce none.
class TextParam {
public:
    TextParam(const Value& v, int64_t room) : isText_(v.isString()) {
        if (!isText_) return;
        const std::string& text = v.asString();
        constexpr int64_t kMinimum = 64 * 1024, kMaximum = 16 * 1024 * 1024;
        const int64_t announced = std::clamp<int64_t>(room, 0, kMaximum);
        buffer_.assign(static_cast<size_t>(std::max<int64_t>({static_cast<int64_t>(text.size()), announced,
                                                              kMinimum})) + 1,
                       '\0');
        std::copy(text.begin(), text.end(), buffer_.begin());
        length_ = text.size();
    }
    bool isText() const { return isText_; }
    char* data() { return buffer_.data(); }
    // What the platform left in the caller's length of text.
    std::string result() const { return std::string(buffer_.data(), length_); }

private:
    bool isText_;
    std::vector<char> buffer_;
    size_t length_ = 0;
};

int64_t numberOr0(const Value& v) { return v.isNumber() ? v.asInteger() : 0; }

Value sendMessage(Args a) {
    HWND h = hwnd(a, 0);
    if (!h) return Value(0);
    const Value& w = rt::arg(a, 2);
    const Value& l = rt::arg(a, 3);
    TextParam wText(w, numberOr0(l)), lText(l, numberOr0(w));
    const WPARAM wp = wText.isText() ? reinterpret_cast<WPARAM>(wText.data()) : static_cast<WPARAM>(numberOr0(w));
    const LPARAM lp = lText.isText() ? reinterpret_cast<LPARAM>(lText.data()) : static_cast<LPARAM>(numberOr0(l));
    const LRESULT result = SendMessageA(h, static_cast<UINT>(intArg(a, 1)), wp, lp);
    // A variable passed by reference receives what the platform wrote, as an in-place buffer would.
    if (wText.isText() && isReferenceArg(a, 2)) a[2].assign(Value(wText.result()));
    if (lText.isText() && isReferenceArg(a, 3)) a[3].assign(Value(lText.result()));
    return Value(static_cast<int64_t>(result));
}

// A posted message is handled after this call has returned, when no buffer of ours is alive any more:
// text parameters cannot be posted.
Value postMessage(Args a) {
    HWND h = hwnd(a, 0);
    if (!h || isTextArg(a, 2) || isTextArg(a, 3)) return Value(false);
    return Value(PostMessageA(h, static_cast<UINT>(intArg(a, 1)), static_cast<WPARAM>(intArg(a, 2)),
                              static_cast<LPARAM>(intArg(a, 3))) != 0);
}

void sendKey(WORD key) {
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void registerMessageFunctions() {
    registerCallable("SENDMESSAGE", sendMessage);
    registerCallable("POSTMESSAGE", postMessage);
    registerCallable("POSTQUITMESSAGE", [](Args a) -> Value {
        PostQuitMessage(static_cast<int>(intArg(a, 0)));
        return {};
    });
    registerCallable("GETKEYSTATE", [](Args a) -> Value { return Value(GetKeyState(static_cast<int>(intArg(a, 0)))); });
    registerCallable("GETASYNCKEYSTATE", [](Args a) -> Value {
        return Value(GetAsyncKeyState(static_cast<int>(intArg(a, 0))));
    });
    registerCallable("LGETKEYSTATE", [](Args a) -> Value {
        return Value((GetKeyState(static_cast<int>(intArg(a, 0))) & 0x8000) != 0);
    });
    registerCallable("LGETASYNCKEYSTATE", [](Args a) -> Value {
        return Value((GetAsyncKeyState(static_cast<int>(intArg(a, 0))) & 0x8000) != 0);
    });
    registerCallable("SETKEYSTATE", [](Args a) -> Value {
        const bool on = logicalArg(a, 1);
        if (!isNumberArg(a, 0)) return Value(on);
        const int key = static_cast<int>(intArg(a, 0));
        if (((GetKeyState(key) & 1) != 0) != on) sendKey(static_cast<WORD>(key));
        return Value(on);
    });
    registerCallable("MAPVIRTUALKEY", [](Args a) -> Value {
        return Value(static_cast<int64_t>(MapVirtualKeyA(static_cast<UINT>(intArg(a, 0)), static_cast<UINT>(intArg(a, 1)))));
    });
    registerCallable("VKEYTOASCII", [](Args a) -> Value {
        BYTE state[256]{};
        if (!GetKeyboardState(state)) return Value("");
        WORD chars = 0;
        const int n = ToAscii(static_cast<UINT>(intArg(a, 0)), static_cast<UINT>(intArg(a, 1)), state, &chars, 0);
        if (n <= 0) return Value("");
        const char text[2] = {static_cast<char>(chars & 0xFF), static_cast<char>(chars >> 8)};
        return Value(std::string(text, n >= 2 ? 2 : 1));
    });
    registerCallable("TRACKMOUSEEVENT", [](Args a) -> Value {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof tme;
        tme.hwndTrack = hwnd(a, 0);
        tme.dwFlags = static_cast<DWORD>(intArg(a, 1));
        tme.dwHoverTime = static_cast<DWORD>(intArg(a, 2));
        return Value(TrackMouseEvent(&tme) != 0);
    });
}

// -1 as a caret size means the window font's average character width or ascent.
Value createCaret(Args a) {
    HWND h = hwnd(a, 0);
    int width = static_cast<int>(intArg(a, 2)), height = static_cast<int>(intArg(a, 3));
    if (width == -1 || height == -1) {
        const TEXTMETRICA tm = win::windowFontMetrics(h);
        if (width == -1) width = tm.tmAveCharWidth;
        if (height == -1) height = tm.tmAscent;
    }
    return Value(CreateCaret(h, reinterpret_cast<HBITMAP>(handleArg(a, 1)), width, height) != 0);
}

void registerDeviceFunctions() {
    registerCallable("CREATECARET", createCaret);
    registerCallable("SHOWCARET", [](Args a) -> Value { return Value(ShowCaret(hwnd(a, 0)) != 0); });
    registerCallable("GETSYSCOLOR", [](Args a) -> Value {
        return Value(static_cast<int64_t>(GetSysColor(static_cast<int>(intArg(a, 0)))));
    });
    registerCallable("SETBKMODE", [](Args a) -> Value {
        return Value(static_cast<int64_t>(SetBkMode(hdc(a, 0), static_cast<int>(intArg(a, 1)))));
    });
    registerCallable("SETBKCOLOR", [](Args a) -> Value {
        return Value(static_cast<int64_t>(SetBkColor(hdc(a, 0), static_cast<COLORREF>(intArg(a, 1)))));
    });
    registerCallable("SETTEXTCOLOR", [](Args a) -> Value {
        return Value(static_cast<int64_t>(SetTextColor(hdc(a, 0), static_cast<COLORREF>(intArg(a, 1)))));
    });
    registerCallable("GETDEVICECAPS", [](Args a) -> Value {
        return Value(static_cast<int64_t>(GetDeviceCaps(hdc(a, 0), static_cast<int>(intArg(a, 1)))));
    });
    registerCallable("GETSYSTEMMETRICS", [](Args a) -> Value {
        return Value(static_cast<int64_t>(GetSystemMetrics(static_cast<int>(intArg(a, 0)))));
    });
    registerCallable("MULDIV", [](Args a) -> Value {
        return Value(static_cast<int64_t>(
            MulDiv(static_cast<int>(intArg(a, 0)), static_cast<int>(intArg(a, 1)), static_cast<int>(intArg(a, 2)))));
    });
    registerCallable("GETLASTERROR", [](Args) -> Value { return Value(static_cast<int64_t>(GetLastError())); });
    registerCallable("SETERRORMODE", [](Args a) -> Value {
        return Value(static_cast<int64_t>(SetErrorMode(static_cast<UINT>(intArg(a, 0)))));
    });
    registerCallable("INITCOMMONCONTROLS", [](Args a) -> Value {
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = sizeof icc;
        icc.dwICC = static_cast<DWORD>(intArg(a, 0));
        return Value(InitCommonControlsEx(&icc) != 0);
    });
}

}  // namespace

void registerWindowFunctions() {
    registerClassFunctions();
    registerWindowStateFunctions();
    registerWindowDataFunctions();
    registerGeometryFunctions();
    registerPaintFunctions();
    registerMessageFunctions();
    registerDeviceFunctions();
}

}  // namespace vorpex::win
