// The recording Simple MAPI. Each call appends lines to VORPEX_MAPI_LOG:
//   MAPILogon owner=<window|desktop|none> profile=<text|null> password=<text|null> flags=<n>
//   MAPILogoff session=<n>
//   MAPISendMail session=<n> owner=<...> flags=<n>
//     subject=<text|null> note=<text|null> type=<text|null> date=<text|null> conversation=<text|null>
//     from=<name|null>,<address|null>,<class>
//     to=<name|null>,<address|null>,<class>              one per recipient
//     file=<shown name|null>,<path|null>,<position>,<bytes of the file at the call, -1 when missing>,<first 5 bytes>
// Texts are written as given; a null pointer as "null". The answer is 0, or the code VORPEX_MAPI_FAIL names.
#include <windows.h>

#include <mapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string environment(const char* name) {
    char value[1024];
    const DWORD n = GetEnvironmentVariableA(name, value, sizeof value);
    return n == 0 || n >= sizeof value ? std::string() : std::string(value, n);
}

void log(const std::string& text) {
    const std::string path = environment("VORPEX_MAPI_LOG");
    if (path.empty()) return;
    if (FILE* f = std::fopen(path.c_str(), "ab")) {
        std::fputs(text.c_str(), f);
        std::fclose(f);
    }
}

ULONG answer(const char* call) {
    const std::string fail = "," + environment("VORPEX_MAPI_FAIL") + ",";
    const std::string key = std::string(",") + call + "=";
    const size_t at = fail.find(key);
    return at == std::string::npos ? SUCCESS_SUCCESS : std::strtoul(fail.c_str() + at + key.size(), nullptr, 10);
}

std::string text(const char* s) { return s ? s : "null"; }

std::string owner(ULONG_PTR window) {
    if (!window) return "none";
    return reinterpret_cast<HWND>(window) == GetDesktopWindow() ? "desktop" : "window";
}

std::string recipient(const MapiRecipDesc* r) {
    if (!r) return "none";
    return text(r->lpszName) + "," + text(r->lpszAddress) + "," + std::to_string(r->ulRecipClass);
}

// The file's size and first bytes at the call: what the mail would carry.
std::string fileFacts(const char* path) {
    FILE* f = path ? std::fopen(path, "rb") : nullptr;
    if (!f) return "-1,";
    char head[6] = {};
    const size_t got = std::fread(head, 1, 5, f);
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    return std::to_string(size) + "," + std::string(head, got);
}

std::string file(const MapiFileDesc& d) {
    return text(d.lpszFileName) + "," + text(d.lpszPathName) + "," + std::to_string(static_cast<long>(d.nPosition)) +
           "," + fileFacts(d.lpszPathName);
}

LHANDLE g_nextSession = 0x51;

}  // namespace

extern "C" {

ULONG WINAPI MAPILogon(ULONG_PTR ui, LPSTR profile, LPSTR password, FLAGS flags, ULONG, LPLHANDLE session) {
    log("MAPILogon owner=" + owner(ui) + " profile=" + text(profile) + " password=" + text(password) +
        " flags=" + std::to_string(flags) + "\n");
    const ULONG result = answer("MAPILogon");
    if (session) *session = result == SUCCESS_SUCCESS ? g_nextSession++ : 0;
    return result;
}

ULONG WINAPI MAPILogoff(LHANDLE session, ULONG_PTR, FLAGS, ULONG) {
    log("MAPILogoff session=" + std::to_string(session) + "\n");
    return answer("MAPILogoff");
}

ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR ui, lpMapiMessage m, FLAGS flags, ULONG) {
    std::string lines = "MAPISendMail session=" + std::to_string(session) + " owner=" + owner(ui) +
                        " flags=" + std::to_string(flags) + "\n";
    if (m) {
        lines += "  subject=" + text(m->lpszSubject) + " note=" + text(m->lpszNoteText) + " type=" +
                 text(m->lpszMessageType) + " date=" + text(m->lpszDateReceived) + " conversation=" +
                 text(m->lpszConversationID) + "\n";
        lines += "  from=" + recipient(m->lpOriginator) + "\n";
        for (ULONG i = 0; i < m->nRecipCount; ++i) lines += "  to=" + recipient(&m->lpRecips[i]) + "\n";
        for (ULONG i = 0; i < m->nFileCount; ++i) lines += "  file=" + file(m->lpFiles[i]) + "\n";
    }
    log(lines);
    return answer("MAPISendMail");
}

}  // extern "C"
