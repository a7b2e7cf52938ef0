#include "ui_driver.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <thread>

namespace e2e {

namespace {

constexpr milliseconds kPoll{50};

std::string withoutAccelerators(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    return text;
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool sameText(const std::string& a, const std::string& b) { return lower(a) == lower(b); }

// Framework controls have window classes of their own ("TButton", "TLabel") built on the system ones.
bool classLike(HWND window, const char* kind) { return lower(classOf(window)).find(kind) != std::string::npos; }

template <class Found>
auto pollUntil(milliseconds patience, Found&& found) -> decltype(found()) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (auto result = found()) return result;
        if (std::chrono::steady_clock::now() >= deadline) return {};
        std::this_thread::sleep_for(kPoll);
    }
}

struct WindowSearch {
    DWORD process;
    const std::string* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK matchTopLevel(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->process && IsWindowVisible(window) && textOf(window) == *search->caption)
        search->found.push_back(window);
    return TRUE;
}

// The program's visible top-level windows with this caption, topmost first.
std::vector<HWND> windowsCaptioned(const Program& program, const std::string& caption) {
    WindowSearch search{program.id(), &caption, {}};
    EnumWindows(matchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK collectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

}  // namespace

Program::Program(const std::string& commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        throw std::runtime_error("cannot start " + commandLine + " (error " + std::to_string(GetLastError()) + ")");
}

Program::~Program() {
    if (running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Program::running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool Program::waitExit(DWORD& exitCode, milliseconds patience) const {
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(patience.count())) != WAIT_OBJECT_0) return false;
    return GetExitCodeProcess(info_.hProcess, &exitCode) != 0;
}

HWND waitForWindow(const Program& program, const std::string& caption, milliseconds patience) {
    return pollUntil(patience, [&]() -> HWND {
        const std::vector<HWND> found = windowsCaptioned(program, caption);
        return found.empty() ? nullptr : found.front();
    });
}

HWND waitForDialogButton(const Program& program, const std::string& caption, const std::string& texts,
                         milliseconds patience) {
    return pollUntil(patience, [&]() -> HWND {
        for (HWND window : windowsCaptioned(program, caption))
            if (HWND button = findButton(window, texts)) return button;
        return nullptr;
    });
}

bool waitUntilGone(HWND window, milliseconds patience) {
    return pollUntil(patience, [&] { return !IsWindow(window); });
}

bool waitUntilEnabled(HWND window, milliseconds patience) {
    return pollUntil(patience, [&] { return IsWindow(window) && IsWindowEnabled(window); });
}

std::string textOf(HWND window) {
    // WM_GETTEXT reaches into another process's control; GetWindowText would not.
    std::string text(static_cast<size_t>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    LRESULT n = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(n, 0)));
    return text;
}

bool waitForText(HWND window, const std::string& text, milliseconds patience) {
    return pollUntil(patience, [&] { return textOf(window) == text; });
}

std::string classOf(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND findButton(HWND window, const std::string& texts) {
    for (HWND child : childrenOf(window)) {
        if (!classLike(child, "button")) continue;
        const std::string text = withoutAccelerators(textOf(child));
        size_t start = 0;
        for (;;) {
            size_t bar = texts.find('|', start);
            if (sameText(text, withoutAccelerators(texts.substr(start, bar - start)))) return child;
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
    }
    return nullptr;
}

HWND findLabel(HWND window) {
    for (HWND child : childrenOf(window))
        if (classLike(child, "label") || classLike(child, "static")) return child;
    return nullptr;
}

void click(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

std::string boundsOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right - r.left) + "," +
           std::to_string(r.bottom - r.top);
}

void pressKey(HWND window, UINT virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(window, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageA(window, WM_KEYUP, virtualKey, scan | 1 | (LPARAM{3} << 30));
}

void clickAt(HWND window, int x, int y) {
    const LPARAM at = MAKELPARAM(x, y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(window, WM_LBUTTONUP, 0, at);
}

void setText(HWND window, const std::string& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        static_cast<UINT>(kPatience.count()), &ignored);
}

void typeText(HWND window, const std::string& text) {
    for (unsigned char c : text) PostMessageA(window, WM_CHAR, c, 1);
}

void sendCommand(HWND control, int id) {
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

bool settle(HWND window, milliseconds patience) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(patience.count()), &ignored) != 0;
}

std::string windowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos) return path;
    WCHAR* wide = toDos(path.c_str());
    if (!wide) return path;
    char narrow[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    return narrow;
}

}  // namespace e2e
