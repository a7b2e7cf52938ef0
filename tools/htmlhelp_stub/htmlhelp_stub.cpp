// The recording stand-in for HtmlHelpA. Each call becomes one text line:
//   "<command> owner=<desktop|window> file=<file> <argument>"
// with the argument by command: "topic" calls none, "keywords=<k> indexOnFail=<0|1>" for a keyword look-up,
// "id=<n> x=<x> y=<y>" for a text pop-up, "data=<n>" for the others. Lines are kept in memory for the
// program that loaded the stub, and also appended to the file named by VORPEX_HTMLHELP_LOG when it is set.
#include <windows.h>
#include <htmlhelp.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& calls() {
    static std::vector<std::string> c;
    return c;
}

bool g_openWindows = false;
HWND g_lastWindow = nullptr;

std::string argumentText(HWND owner, UINT command, DWORD_PTR data) {
    char buffer[512];
    if (command == HH_KEYWORD_LOOKUP && data) {
        const auto* link = reinterpret_cast<const HH_AKLINK*>(data);
        if (link->cbStruct != static_cast<int>(sizeof(HH_AKLINK))) return "bad-aklink";
        std::snprintf(buffer, sizeof buffer, "keywords=%s indexOnFail=%d",
                      link->pszKeywords ? link->pszKeywords : "", link->fIndexOnFail ? 1 : 0);
        return buffer;
    }
    if (command == HH_DISPLAY_TEXT_POPUP && data) {
        const auto* popup = reinterpret_cast<const HH_POPUP*>(data);
        if (popup->cbStruct != static_cast<int>(sizeof(HH_POPUP))) return "bad-popup";
        RECT r{};
        GetClientRect(owner, &r);
        POINT corner{r.left, r.bottom};
        ClientToScreen(owner, &corner);
        std::snprintf(buffer, sizeof buffer, "id=%u below=%d colors=%ld,%ld margins=%ld", popup->idString,
                      popup->pt.x == corner.x && popup->pt.y == corner.y ? 1 : 0,
                      static_cast<long>(popup->clrForeground), static_cast<long>(popup->clrBackground),
                      static_cast<long>(popup->rcMargins.left));
        return buffer;
    }
    if (command == HH_DISPLAY_SEARCH && data) {
        const auto* query = reinterpret_cast<const HH_FTS_QUERY*>(data);
        return query->cbStruct == static_cast<int>(sizeof(HH_FTS_QUERY)) ? "query" : "bad-query";
    }
    std::snprintf(buffer, sizeof buffer, "data=%llu", static_cast<unsigned long long>(data));
    return buffer;
}

void appendToLog(const std::string& line) {
    char path[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("VORPEX_HTMLHELP_LOG", path, sizeof path);
    if (n == 0 || n >= sizeof path) return;
    if (FILE* f = std::fopen(path, "ab")) {
        std::fprintf(f, "%s\r\n", line.c_str());
        std::fclose(f);
    }
}

}  // namespace

extern "C" {

HWND WINAPI HtmlHelpA(HWND owner, LPCSTR file, UINT command, DWORD_PTR data) {
    std::string line = std::to_string(command);
    line += owner == GetDesktopWindow() ? " owner=desktop" : " owner=window";
    line += " file=";
    line += file ? file : "";
    line += " " + argumentText(owner, command, data);
    calls().push_back(line);
    appendToLog(line);
    if (!g_openWindows) return nullptr;
    // A hidden window of the caller's thread stands for the viewer: messages posted to it stay readable.
    g_lastWindow =
        CreateWindowExA(0, "STATIC", "stub viewer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    return g_lastWindow;
}

int WINAPI HtmlHelpStubCallCount() { return static_cast<int>(calls().size()); }

// Copies call `index` (0-based) into the buffer; its length, or -1 when there is no such call.
int WINAPI HtmlHelpStubCall(int index, char* buffer, int size) {
    if (index < 0 || index >= static_cast<int>(calls().size()) || size <= 0) return -1;
    const std::string& line = calls()[static_cast<size_t>(index)];
    const size_t n = std::min(line.size(), static_cast<size_t>(size - 1));
    line.copy(buffer, n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

void WINAPI HtmlHelpStubOpenWindows(BOOL open) { g_openWindows = open != FALSE; }

// The window the last call answered with (the caller destroys it).
HWND WINAPI HtmlHelpStubLastWindow() { return g_lastWindow; }

void WINAPI HtmlHelpStubReset() {
    calls().clear();
    g_openWindows = false;
    g_lastWindow = nullptr;
}

}  // extern "C"
