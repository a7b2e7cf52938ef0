// The callable module, shell, process, folder, name and character-set functions: thin adapters over the
// typed helpers of win_system.h.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <cstring>
#include <span>
#include <vector>

#include "framework/core/native/application_value.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/native_functions.h"
#include "framework/core/native/text_utility.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_functions.h"
#include "framework/core/native/win_system.h"
#include "framework/core/native/win_window.h"
#include "framework/core/native/windows_version.h"

namespace vorpex {

WindowsVersion systemWindowsVersion() {
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return {};
#pragma GCC diagnostic pop
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, info.dwPlatformId, info.wProductType,
            info.szCSDVersion};
}

void registerPlatformNativeFunctions() {
    win::registerWindowFunctions();
    win::registerSystemFunctions();
    win::registerUtilityFunctions();
}

namespace win {

using namespace native;

namespace {

HMODULE moduleArg(Args a, size_t i) { return reinterpret_cast<HMODULE>(handleArg(a, i)); }
const char* orNull(const std::string* s) { return s ? s->c_str() : nullptr; }

// A function of one text argument answering text; "" when the argument is no text.
template <class F>
void textToText(const char* name, F f) {
    registerCallable(name, [f](Args a) -> Value {
        const std::string* t = textArg(a, 0);
        return t ? Value(f(*t)) : Value("");
    });
}

template <class F>
void noArgText(const char* name, F f) {
    registerCallable(name, [f](Args) -> Value { return Value(f()); });
}

Value stringArray(const std::vector<std::string>& items) {
    std::vector<Value> values(items.begin(), items.end());
    return Value::array(std::move(values));
}

// OemToCharBuffA/CharToOemBuffA over the text's length: embedded nulls survive, nothing is read past the end.
template <class F>
void codePageConversion(const char* name, F convert) {
    textToText(name, [convert](const std::string& text) {
        std::string out(text.size(), '\0');
        if (!text.empty()) convert(text.data(), out.data(), static_cast<DWORD>(text.size()));
        return out;
    });
}

void registerModuleFunctions() {
    registerCallable("LOADLIBRARY", [](Args a) -> Value {
        const std::string* file = textArg(a, 0);
        return file ? handleValue(LoadLibraryA(file->c_str())) : Value(0);
    });
    registerCallable("FREELIBRARY", [](Args a) -> Value {
        HMODULE m = moduleArg(a, 0);
        return Value(m && FreeLibrary(m) != 0);
    });
    registerCallable("GETMODULEHANDLE", [](Args a) -> Value {
        return handleValue(GetModuleHandleA(orNull(textArg(a, 0))));
    });
    registerCallable("GETMODULEFILENAME", [](Args a) -> Value { return Value(moduleFileName(moduleArg(a, 0))); });
    for (const char* name : {"DLLREGISTERSERVER", "DLLUNREGISTERSERVER"}) {
        const char* exportName = name[3] == 'R' ? "DllRegisterServer" : "DllUnregisterServer";
        registerCallable(name, [exportName](Args a) -> Value {
            const std::string* file = textArg(a, 0);
            return Value(file && callRegistrationExport(*file, exportName));
        });
    }
}

void registerShellFunctions() {
    registerCallable("WINEXEC", [](Args a) -> Value {
        const std::string* command = textArg(a, 0);
        if (!command) return Value(0);
        return Value(static_cast<int64_t>(WinExec(command->c_str(), static_cast<UINT>(intArg(a, 1, SW_SHOWNORMAL)))));
    });
    registerCallable("SHELLEXECUTE", [](Args a) -> Value {
        HINSTANCE r = ShellExecuteA(toHwnd(handleArg(a, 0)), orNull(textArg(a, 1)), orNull(textArg(a, 2)),
                                    orNull(textArg(a, 3)), orNull(textArg(a, 4)),
                                    static_cast<int>(intArg(a, 5, SW_SHOWNORMAL)));
        return handleValue(r);
    });
    registerCallable("SHELLEXECUTEEX", [](Args a) -> Value {
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        info.hwnd = toHwnd(handleArg(a, 0));
        info.lpFile = orNull(textArg(a, 1));
        info.lpVerb = orNull(textArg(a, 2));
        info.lpParameters = orNull(textArg(a, 3));
        info.lpDirectory = orNull(textArg(a, 4));
        info.nShow = static_cast<int>(intArg(a, 5, SW_SHOWNORMAL));
        return Value(ShellExecuteExA(&info) != 0);
    });
    registerCallable("SHELLABOUT", [](Args a) -> Value {
        return Value(ShellAboutA(toHwnd(handleArg(a, 0)), textOr(a, 1).c_str(), textOr(a, 2).c_str(),
                                 reinterpret_cast<HICON>(handleArg(a, 3))) != 0);
    });
    registerCallable("SEARCHPATH", [](Args a) -> Value {
        const std::string* file = textArg(a, 1);
        return file ? Value(searchPath(textArg(a, 0), *file, textArg(a, 2))) : Value("");
    });
    registerCallable("GETTEMPFILENAME", [](Args a) -> Value {
        return Value(tempFileName(textOr(a, 0, tempDirectory()), textOr(a, 1, "TMP"),
                                  static_cast<UINT>(intArg(a, 2))));
    });
    registerCallable("GETDRIVES", [](Args a) -> Value { return stringArray(drives(static_cast<UINT>(intArg(a, 0)))); });
    codePageConversion("OEMTOANSI", OemToCharBuffA);
    codePageConversion("ANSITOOEM", CharToOemBuffA);
}

// EXECUTE(cCommand, cFolder, lWait, nShow). With lWait the call blocks until the program ends, windows
// included: callers that need a live interface start it without waiting and poll ISRUNNING.
Value execute(Args a) {
    const std::string* command = textArg(a, 0);
    if (!command) return Value(0);
    const std::string folder = textOr(a, 1, applicationText("CurrentDir"));
    const int show = static_cast<int>(intArg(a, 3, SW_SHOWNORMAL));
    if (logicalArg(a, 2)) return Value(runProcess(*command, folder, show));
    return Value(static_cast<int64_t>(startProcess(*command, folder, show)));
}

void registerProcessFunctions() {
    registerCallable("EXECUTE", execute);
    registerCallable("ISRUNNING", [](Args a) -> Value { return Value(isRunning(handleArg(a, 0))); });
    registerCallable("KILLPROCESS", [](Args a) -> Value { return Value(killProcess(handleArg(a, 0))); });
}

}  // namespace

void registerSystemFunctions() {
    registerModuleFunctions();
    registerShellFunctions();
    registerProcessFunctions();
}

namespace {

void registerFolderFunctions() {
    noArgText("GETWINDOWSDIRECTORY", windowsDirectory);
    noArgText("GETSYSTEMDIRECTORY", systemDirectory);
    noArgText("GETCURRENTDIRECTORY", currentDirectory);
    noArgText("GETTEMPDIRECTORY", tempDirectory);
    noArgText("GETTEMPDIRECTORYLONG", [] { return longPathName(tempDirectory()); });
    textToText("GETLONGPATHNAME", longPathName);
    textToText("GETSHORTPATHNAME", shortPathName);
    registerCallable("GETFILEATTRIBUTES", [](Args a) -> Value {
        const std::string* file = textArg(a, 0);
        if (!file) return Value(0);
        const DWORD attributes = GetFileAttributesA(file->c_str());
        return Value(attributes == INVALID_FILE_ATTRIBUTES ? int64_t{-1} : static_cast<int64_t>(attributes));
    });
    registerCallable("SETFILEATTRIBUTES", [](Args a) -> Value {
        const std::string* file = textArg(a, 0);
        if (!file || !isNumberArg(a, 1)) return Value(false);
        return Value(SetFileAttributesA(file->c_str(), static_cast<DWORD>(intArg(a, 1))) != 0);
    });
    registerCallable("EXISTDIR", [](Args a) -> Value {
        const std::string* path = textArg(a, 0);
        return Value(path && existsDirectory(*path));
    });
    registerCallable("COPYFILE", [](Args a) -> Value {
        const std::string* from = textArg(a, 0);
        const std::string* to = textArg(a, 1);
        return Value(from && to && CopyFileA(from->c_str(), to->c_str(), FALSE) != 0);
    });
}

void registerConversionFunctions() {
    // The wide form as bytes, with the final null character.
    registerCallable("ANSITOWIDE", [](Args a) -> Value {
        const std::string* text = textArg(a, 0);
        if (!text) return Value("");
        auto wide = ansiToWide(*text);
        if (!wide) return Value("");
        wide->push_back(L'\0');
        return Value(std::string(reinterpret_cast<const char*>(wide->data()), wide->size() * sizeof(wchar_t)));
    });
    // Only the whole characters present count, up to the first null one.
    registerCallable("WIDETOANSI", [](Args a) -> Value {
        const std::string* bytes = textArg(a, 0);
        if (!bytes) return Value("");
        std::wstring wide(wideLength(*bytes), L'\0');
        if (!wide.empty()) std::memcpy(wide.data(), bytes->data(), wide.size() * sizeof(wchar_t));
        auto text = wideToAnsi(wide);
        return Value(text ? *text : std::string());
    });
    registerCallable("ISCHARALPHANUMERIC", [](Args a) -> Value {
        return Value(isNumberArg(a, 0) && IsCharAlphaNumericA(static_cast<CHAR>(intArg(a, 0) & 0xFF)) != 0);
    });
    registerCallable("OUTDEBUG", [](Args a) -> Value {
        if (const std::string* t = textArg(a, 0)) {
            const std::string_view piece(*t);
            outDebug(joinForDebug(std::span(&piece, 1)));
        }
        return {};
    });
}

void registerNameAndSoundFunctions() {
    noArgText("GETUSERNAME", userName);
    noArgText("GETCOMPUTERNAME", computerName);
    registerCallable("SNDPLAYSOUND", [](Args a) -> Value {
        const std::string* sound = textArg(a, 0);
        if (!sound) return Value(false);
        const UINT flags = SND_NODEFAULT | (logicalArg(a, 1) ? SND_ASYNC : 0);
        return Value(sndPlaySoundA(sound->c_str(), flags) != 0);
    });
    // An empty sound name stops the sound that is playing.
    registerCallable("PLAYSOUND", [](Args a) -> Value {
        const std::string* sound = textArg(a, 0);
        DWORD flags = static_cast<DWORD>(intArg(a, 2));
        if (flags == 0) flags = SND_FILENAME | SND_NODEFAULT;
        const char* name = (sound && !sound->empty()) ? sound->c_str() : nullptr;
        return Value(PlaySoundA(name, moduleArg(a, 1), flags) != 0);
    });
}

}  // namespace

void registerUtilityFunctions() {
    registerFolderFunctions();
    registerConversionFunctions();
    registerNameAndSoundFunctions();
}

}  // namespace win
}  // namespace vorpex
