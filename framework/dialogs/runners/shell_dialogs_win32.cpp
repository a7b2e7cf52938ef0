// The shell's dialogs are found at run time (pick icon and run by their entry numbers, format by name) and take
// wide texts; an activation watch hands each dialog to its set-up and to the tests' answerer.
#include <windows.h>

#include <commctrl.h>

#include <optional>

#include "framework/core/native/win_system.h"
#include "framework/core/window/message_dispatch.h"
#include "framework/dialogs/runners/activation_watch_win32.h"
#include "framework/dialogs/runners/shell_dialogs.h"

namespace vorpex {

namespace {

class ShellLibrary {
public:
    ShellLibrary() : module_(LoadLibraryA("shell32.dll")) {}
    ~ShellLibrary() {
        if (module_) FreeLibrary(module_);
    }
    ShellLibrary(const ShellLibrary&) = delete;
    ShellLibrary& operator=(const ShellLibrary&) = delete;

    template <class F>
    F entry(LPCSTR name) const {
        return module_ ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name))) : nullptr;
    }

private:
    HMODULE module_;
};

using PickIconEntry = int(WINAPI*)(HWND, LPWSTR, UINT, int*);
using RunFileEntry = void(WINAPI*)(HWND, HICON, LPCWSTR, LPCWSTR, LPCWSTR, UINT);
using FormatDriveEntry = DWORD(WINAPI*)(HWND, UINT, UINT, UINT);

constexpr UINT kFormatDefault = 0xFFFF;  // SHFMT_ID_DEFAULT

std::wstring wide(const std::string& text) { return win::ansiToWide(text).value_or(std::wstring()); }
std::string ansi(const std::wstring& text) { return win::wideToAnsi(text).value_or(std::string()); }

// The run dialog's notification of the file to run, with wide texts.
struct RunFileNotice {
    NMHDR header;
    LPCWSTR file;
    LPCWSTR directory;
    UINT show;
};
constexpr UINT kRunFileValidate = static_cast<UINT>(-510);  // RFN_VALIDATE
constexpr const char* kRelayClass = "VorpexRunFileRelay";

// The run dialog notifies its owner: a hidden window of ours owned by the real owner takes the notifications.
LRESULT CALLBACK relayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto* request = reinterpret_cast<const RunFileRequest*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto* notice = reinterpret_cast<const RunFileNotice*>(lParam);
    if (message != WM_NOTIFY || !request || !notice || notice->header.code != kRunFileValidate || !request->execute)
        return DefWindowProcA(window, message, wParam, lParam);
    const std::string file = notice->file ? ansi(notice->file) : std::string();
    const std::string directory = notice->directory ? ansi(notice->directory) : std::string();
    return guardCallback([&] { return static_cast<LRESULT>(request->execute(file, directory, notice->show)); },
                         LRESULT{1});
}

HWND makeRelay(const RunFileRequest& r) {
    static const bool registered = [] {
        WNDCLASSA c{};
        c.lpfnWndProc = relayProc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = kRelayClass;
        return RegisterClassA(&c) != 0;
    }();
    if (!registered) return nullptr;
    const HWND relay = CreateWindowExA(0, kRelayClass, "", WS_POPUP, 0, 0, 0, 0, reinterpret_cast<HWND>(r.owner),
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
    if (relay) SetWindowLongPtrA(relay, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&r));
    return relay;
}

}  // namespace

IconPick runPickIcon(intptr_t owner, const IconPick& start) {
    const ShellLibrary shell;
    const auto pick = shell.entry<PickIconEntry>(MAKEINTRESOURCEA(62));
    if (!pick) return {};
    wchar_t file[MAX_PATH]{};
    lstrcpynW(file, wide(start.fileName).c_str(), MAX_PATH);
    int index = static_cast<int>(start.index);
    const win::ActivationWatch watch;
    // 1 for OK; 0 for a cancel and -1 where the dialog could not be made.
    if (pick(reinterpret_cast<HWND>(owner), file, MAX_PATH, &index) <= 0) return {};
    return {true, ansi(file), index};
}

bool runRunFile(const RunFileRequest& r) {
    const ShellLibrary shell;
    const auto run = shell.entry<RunFileEntry>(MAKEINTRESOURCEA(61));
    if (!run) return false;
    const HWND relay = makeRelay(r);
    if (!relay) return false;
    const std::wstring directory = wide(r.directory), title = wide(r.title), message = wide(r.message);
    // The dialog disables its owner, the hidden relay: the real owner is held the same way.
    const HWND owner = reinterpret_cast<HWND>(r.owner);
    const bool disabled = owner && IsWindow(owner) && !EnableWindow(owner, FALSE);
    {
        const win::ActivationWatch watch;
        run(relay, reinterpret_cast<HICON>(r.icon), directory.empty() ? nullptr : directory.c_str(),
            title.empty() ? nullptr : title.c_str(), message.empty() ? nullptr : message.c_str(),
            static_cast<UINT>(r.flags));
    }
    if (disabled) EnableWindow(owner, TRUE);
    DestroyWindow(relay);
    rethrowPendingCallbackErrors();
    return true;
}

// The label goes into the dialog's first edit as the dialog shows.
int64_t runFormatDrive(intptr_t owner, int drive, uint32_t options, const std::string& label) {
    if (drive < 0 || drive > 25) return kFormatError;
    const ShellLibrary shell;
    const auto format = shell.entry<FormatDriveEntry>("SHFormatDrive");
    if (!format) return kFormatError;
    const win::ActivationWatch watch([&label](HWND dialog) {
        if (const HWND edit = label.empty() ? nullptr : FindWindowExA(dialog, nullptr, "Edit", nullptr))
            SetWindowTextA(edit, label.c_str());
    });
    const DWORD result = format(reinterpret_cast<HWND>(owner), static_cast<UINT>(drive), kFormatDefault, options);
    return static_cast<int32_t>(result);
}

}  // namespace vorpex
