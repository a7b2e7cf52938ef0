#include <windows.h>
#include <htmlhelp.h>

#include "framework/core/timer/help_port.h"

namespace vorpex {

namespace {

using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

constexpr WPARAM kHelpCommandSearchTab = 206;  // what the viewer's keyword index answers with its results

struct HtmlHelpLibrary {
    HMODULE module = nullptr;
    HtmlHelpFn function = nullptr;
    bool tried = false;
};

HtmlHelpLibrary& library() {
    static HtmlHelpLibrary l;
    return l;
}

// Loaded on the first HTML Help request and kept; a missing library or function is not looked for again.
HtmlHelpFn htmlHelpFunction() {
    HtmlHelpLibrary& l = library();
    if (!l.tried) {
        l.tried = true;
        l.module = LoadLibraryA(htmlHelpLibrary().c_str());
        if (l.module) l.function = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(GetProcAddress(l.module, "HtmlHelpA")));
    }
    return l.function;
}

LPCSTR fileOrNull(const HelpRequest& r) { return r.file.empty() ? nullptr : r.file.c_str(); }

HH_POPUP popupFor(const HelpRequest& r) {
    HH_POPUP p{};
    p.cbStruct = sizeof p;
    p.idString = static_cast<UINT>(r.number);
    // Below the control, from its client rectangle in screen coordinates.
    RECT client{};
    HWND window = reinterpret_cast<HWND>(r.window);
    GetClientRect(window, &client);
    POINT corner{client.left, client.bottom};
    ClientToScreen(window, &corner);
    p.pt = corner;
    p.clrForeground = static_cast<COLORREF>(-1);
    p.clrBackground = static_cast<COLORREF>(-1);
    p.rcMargins = RECT{-1, -1, -1, -1};
    return p;
}

class Win32HelpPort final : public HelpPort {
public:
    bool winHelp(const HelpRequest& r) override {
        ULONG_PTR data = 0;
        if (r.data == HelpData::Number) data = static_cast<ULONG_PTR>(r.number);
        if (r.data == HelpData::Text) data = reinterpret_cast<ULONG_PTR>(r.text.c_str());
        return WinHelpA(GetDesktopWindow(), fileOrNull(r), r.command, data) != 0;
    }

    intptr_t htmlHelp(const HelpRequest& r) override {
        HtmlHelpFn fn = htmlHelpFunction();
        if (!fn) return 0;
        HWND owner = r.data == HelpData::Popup ? reinterpret_cast<HWND>(r.window) : GetDesktopWindow();
        HH_AKLINK link{};
        HH_FTS_QUERY query{};
        HH_POPUP popup{};
        DWORD_PTR data = 0;
        switch (r.data) {
            case HelpData::None:
                if (r.command == kHhDisplaySearch) {  // the viewer reads a query record for this one
                    query.cbStruct = sizeof query;
                    data = reinterpret_cast<DWORD_PTR>(&query);
                }
                break;
            case HelpData::Number: data = static_cast<DWORD_PTR>(r.number); break;
            case HelpData::Text: data = reinterpret_cast<DWORD_PTR>(r.text.c_str()); break;
            case HelpData::Keyword:
                link.cbStruct = sizeof link;
                link.pszKeywords = r.text.c_str();
                link.fIndexOnFail = r.indexOnFail;
                data = reinterpret_cast<DWORD_PTR>(&link);
                break;
            case HelpData::Popup:
                popup = popupFor(r);
                data = reinterpret_cast<DWORD_PTR>(&popup);
                break;
        }
        HWND viewer = fn(owner, fileOrNull(r), r.command, data);
        if (viewer && r.data == HelpData::Keyword) {
            PostMessageA(viewer, WM_COMMAND, kHelpCommandSearchTab, 0);
            PostMessageA(viewer, WM_KEYDOWN, VK_F6, 0);
        }
        return reinterpret_cast<intptr_t>(viewer);
    }
};

}  // namespace

std::unique_ptr<HelpPort> makePlatformHelpPort() { return std::make_unique<Win32HelpPort>(); }

void dropHtmlHelpLibrary() {
    HtmlHelpLibrary& l = library();
    if (l.module) FreeLibrary(l.module);
    l = HtmlHelpLibrary{};
}

}  // namespace vorpex
