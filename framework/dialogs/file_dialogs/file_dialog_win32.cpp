// GetOpenFileNameA and GetSaveFileNameA, explorer style, through a hook that does what every common dialog's
// hook does (dialog_hook_win32.h) on the dialog itself (an explorer hook's window is a child of it) and, for
// the image dialogs, adds the preview pane beside the file list and loads each selected file into the picture.
#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <string>

#include "framework/core/native/win_window.h"
#include "framework/dialogs/file_dialogs/file_dialog_port.h"
#include "framework/dialogs/help/dialog_hook_win32.h"
#include "runtime/core/callback_guard.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

constexpr const char* kStateProperty = "VorpexFileDialog";
constexpr const char* kPreviewClass = "VPFileOpenImagePreview";
constexpr int kFileList = 1120;  // lst1
constexpr int kWider = 170, kGap = 10, kPaneWidth = 156, kLabelHeight = 18;
constexpr int kPathChars = 512;

struct HookState {
    const FileDialogRequest* request = nullptr;
    win::DialogHookSetUp setUp;
    HWND preview = nullptr, label = nullptr;
};

rt::Value picture(const HookState& s) { return rt::Value(s.request->picture->self()); }

int64_t pictureNumber(const HookState& s, const char* name) {
    const rt::Value v = rt::send(picture(s), name);
    return v.isNumber() ? v.asInteger() : 0;
}

// The picture fitted into the pane: scaled down only, keeping its proportions, centred.
RECT fitted(const RECT& pane, int64_t width, int64_t height) {
    const double paneW = pane.right - pane.left, paneH = pane.bottom - pane.top;
    const double scale = std::min({1.0, paneW / static_cast<double>(width), paneH / static_cast<double>(height)});
    const LONG w = static_cast<LONG>(width * scale), h = static_cast<LONG>(height * scale);
    const LONG left = pane.left + static_cast<LONG>((paneW - w) / 2), top = pane.top + static_cast<LONG>((paneH - h) / 2);
    return RECT{left, top, left + w, top + h};
}

void paintPreview(HWND pane, HDC dc, const HookState* s) {
    RECT client{};
    GetClientRect(pane, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    const int64_t width = s ? pictureNumber(*s, "nWidth") : 0, height = s ? pictureNumber(*s, "nHeight") : 0;
    if (width > 0 && height > 0) {
        const RECT r = fitted(client, width, height);
        rt::send(picture(*s), "Paint", {rt::Value(static_cast<int64_t>(reinterpret_cast<intptr_t>(dc))),
                                        rt::Value(static_cast<int64_t>(r.left)), rt::Value(static_cast<int64_t>(r.top)),
                                        rt::Value(static_cast<int64_t>(r.right)),
                                        rt::Value(static_cast<int64_t>(r.bottom)), rt::Value(false), rt::Value(true)});
        return;
    }
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, "(None)", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
}

LRESULT CALLBACK previewProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(pane, &ps);
        const auto* s = reinterpret_cast<const HookState*>(GetWindowLongPtrA(pane, GWLP_USERDATA));
        rt::callbackGuard([&] { paintPreview(pane, dc, s); return 0; }, 0);
        EndPaint(pane, &ps);
        return 0;
    }
    return DefWindowProcA(pane, message, wParam, lParam);
}

void registerPreviewClass() {
    static const bool registered = [] {
        WNDCLASSA c{};
        c.lpfnWndProc = previewProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        c.lpszClassName = kPreviewClass;
        return RegisterClassA(&c) != 0;
    }();
    (void)registered;
}

// Where the file list is, in the dialog's client coordinates; without one, a band as tall as the client at
// the old right edge.
RECT fileListRect(HWND dialog, LONG oldClientRight) {
    RECT r{};
    if (HWND list = GetDlgItem(dialog, kFileList)) {
        GetWindowRect(list, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    GetClientRect(dialog, &r);
    return RECT{oldClientRight - kGap, r.top + kGap, oldClientRight - kGap, r.bottom - 2 * kGap - kLabelHeight};
}

void addPreview(HWND dialog, HookState& s) {
    RECT frame{}, client{};
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &client);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + kWider, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT list = fileListRect(dialog, client.right);
    registerPreviewClass();
    const int height = std::max<LONG>(1, list.bottom - list.top - 1);
    s.preview = CreateWindowExA(WS_EX_CLIENTEDGE, kPreviewClass, "", WS_CHILD | WS_VISIBLE, list.right + kGap, list.top,
                                kPaneWidth, height, dialog, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(s.preview, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
    s.label = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER, list.right + kGap,
                              list.top + height + 2, kPaneWidth, kLabelHeight, dialog, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SendMessageA(s.label, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), FALSE);
}

void showSelection(HWND dialog, HookState& s) {
    char path[kPathChars + 1] = {};
    const LRESULT n = SendMessageA(dialog, CDM_GETFILEPATH, kPathChars, reinterpret_cast<LPARAM>(path));
    const std::string file = n > 0 && n <= kPathChars ? std::string(path) : std::string();
    std::string info;
    rt::callbackGuard([&] {
        rt::send(picture(s), "LoadFromFile", {rt::Value(file)});
        const int64_t w = pictureNumber(s, "nWidth"), h = pictureNumber(s, "nHeight");
        if (w > 0 && h > 0 && s.request->showImageInfo) info = std::to_string(w) + " x " + std::to_string(h);
        return 0;
    }, 0);
    SetWindowTextA(s.label, info.c_str());
    InvalidateRect(s.preview, nullptr, TRUE);
}

void initDone(HWND dialog, HookState& s) {
    if (s.request->picture) addPreview(dialog, s);
    if (s.request->center) win::centerWindow(dialog, s.setUp.centerOver);
}

UINT_PTR CALLBACK fileHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND dialog = GetParent(hook);
    if (message == WM_INITDIALOG) {
        auto* s = reinterpret_cast<HookState*>(reinterpret_cast<const OPENFILENAMEA*>(lParam)->lCustData);
        SetPropA(hook, kStateProperty, s);
        return win::commonDialogHook(dialog, message, wParam, &s->setUp);
    }
    auto* s = static_cast<HookState*>(GetPropA(hook, kStateProperty));
    if (!s) return 0;
    if (message == WM_NOTIFY) {
        switch (reinterpret_cast<const NMHDR*>(lParam)->code) {
            case CDN_INITDONE: initDone(dialog, *s); break;
            case CDN_SELCHANGE:
                if (s->request->picture && s->preview) showSelection(dialog, *s);
                break;
            case CDN_HELP: win::commonDialogHook(dialog, WM_COMMAND, 1038, nullptr); break;
        }
        return 0;
    }
    if (message == WM_DESTROY) {
        win::commonDialogHook(dialog, WM_DESTROY, 0, nullptr);
        RemovePropA(hook, kStateProperty);
    }
    return 0;
}

}  // namespace

FileDialogAnswer runFileDialog(FileDialogRequest r) {
    HookState state;
    state.request = &r;
    // Centring waits for the dialog's own layout (CDN_INITDONE), so the shared hook does not centre.
    state.setUp = win::DialogHookSetUp{r.dialog, r.showsHelp, false, reinterpret_cast<HWND>(r.owner)};
    OPENFILENAMEA o{};
    o.lStructSize = sizeof o;  // the record with the extension fields: every system the programs run on has it
    o.hwndOwner = reinterpret_cast<HWND>(r.owner);
    o.lpstrFilter = r.filter.c_str();
    o.nFilterIndex = static_cast<DWORD>(std::max<int64_t>(0, r.filterIndex));
    o.lpstrFile = r.nameBuffer.data();
    o.nMaxFile = static_cast<DWORD>(r.nameBuffer.size() - 1);
    o.lpstrInitialDir = r.initialDir.empty() ? nullptr : r.initialDir.c_str();
    o.lpstrTitle = r.title.empty() ? nullptr : r.title.c_str();
    o.lpstrDefExt = r.defaultExt.empty() ? nullptr : r.defaultExt.c_str();
    o.Flags = r.flags | OFN_ENABLEHOOK | OFN_EXPLORER;
    o.lCustData = reinterpret_cast<LPARAM>(&state);
    o.lpfnHook = fileHook;
    FileDialogAnswer a;
    a.ok = (r.save ? GetSaveFileNameA(&o) : GetOpenFileNameA(&o)) != FALSE;
    if (!a.ok) {
        a.error = CommDlgExtendedError();
        return a;
    }
    a.buffer = r.nameBuffer;
    a.filterIndex = o.nFilterIndex;
    return a;
}

}  // namespace vorpex
