// XApplication's members that work with the system: the hidden window, start and end, icon, font, cursor,
// help, single-instance guard, version block and locale.
#include <windows.h>
#include <ole2.h>

#include <string>
#include <utility>

#include "framework/core/app/application.h"
#include "framework/core/app/message_loop.h"
#include "framework/core/app/tooltip_receiver.h"
#include "framework/core/app/version_info.h"
#include "framework/core/gdi/message_box.h"
#include "framework/core/native/win_window.h"
#include "framework/core/native/windows_version.h"
#include "framework/core/object/app_data.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/texts/texts.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/lib/number.h"

namespace vorpex {

namespace {

// The framework's own classes that the application uses when the program links them (TFont, TIcon, ...):
// ClassName():Create(args), NIL when the class is not there.
rt::Value createByName(const char* className, rt::Args args) {
    const rt::Function* classFunction = rt::findFunction(className);
    if (!classFunction) return {};
    rt::Value o = (*classFunction)({});
    return rt::understands(o, rt::Symbol::intern("Create")) ? rt::send(o, rt::Symbol::intern("Create"), args) : o;
}

std::string toAnsi(const std::u16string& text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
    int length = WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, static_cast<int>(text.size()), out.data(), length, nullptr, nullptr);
    return out;
}

std::string moduleFileName() {
    std::string name(MAX_PATH, '\0');
    for (;;) {
        DWORD n = GetModuleFileNameA(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n < name.size()) return name.substr(0, n);
        name.resize(name.size() * 2);
    }
}

std::string currentDirectory() {
    DWORD n = GetCurrentDirectoryA(0, nullptr);
    std::string dir(n, '\0');
    n = GetCurrentDirectoryA(n, dir.data());
    dir.resize(n);
    return dir;
}

bool g_oleStarted = false;

}  // namespace

rt::Value XApplication::Initialize(rt::Args) {
    rt::Value& application = rt::publicVar("Application");
    if (application.isObject()) return application;
    application = selfValue();
    field(kHandle) = 0;
    roster_ = FormRoster();
    field(kTitle) = "";

    field(kTooltip) = createByName("TToolTip", {});
    field(kBalloon) = createByName("TBalloon", {});

    const WindowsVersion v = windowsVersion();
    field(kWinVer) = rt::Value::number(v.major + v.minor / 100.0, 10, 2);
    field(kWinPlatform) = rt::Value(static_cast<long long>(v.platformId));
    std::vector<rt::Value> arguments(rt::arguments().begin(), rt::arguments().end());
    field(kArguments) = rt::Value::array(std::move(arguments));
    const std::string fileName = moduleFileName();
    field(kFileName) = fileName;
    field(kDirectory) = fileName.substr(0, fileName.rfind('\\') + 1);

    GetVersionInfo({});
    field(kVersion) = rt::val(field(kVersionText).asString());

    SetTooltips({});
    createHiddenWindow();
    const rt::Value iconName("VP_ICO_VORPEX");
    SetIcon(rt::Args(&iconName, 1));

    for (const char* cls : {"TScreen", "TPrinter"}) {
        rt::Value o = createByName(cls, {});
        sendIfUnderstood(o, "Initialize");
    }
    rt::send(rt::Value(TAppData::classRecord().instantiate()), "Initialize");

    SetScale({});
    SetFont({});
    if (field(kWinVer).asDouble() < 4.1) {
        const rt::Function* alert = rt::findFunction("MSGALERT");
        const rt::Value texts[] = {rt::Value(texts::LT(32768)), rt::Value(texts::LT(32769))};
        if (alert) (*alert)(texts);
    }
    g_oleStarted = SUCCEEDED(OleInitialize(nullptr));
    return selfValue();
}

void XApplication::createHiddenWindow() {
    registerWindowFunctions();  // REGISTERCLASS must hand out WindowProc
    const std::string className = rt::send(*this, "ClassName").asString();
    win::registerClass(className, 0, nullptr, nullptr);
    // A record left pending by a failed creation elsewhere must not be adopted by this window.
    windowLinks().clearPending();
    HWND h = CreateWindowExA(0, className.c_str(), "", 0, -32768, -32768, 0, 0, nullptr, nullptr,
                             win::programInstance(), nullptr);
    windowCreationEnded();
    field(kHandle) = rt::Value(reinterpret_cast<intptr_t>(h));
    if (h) linkObject(windowLinks(), *this, false);
}

rt::Value XApplication::End(rt::Args) {
    unlinkObject(windowLinks(), *this, false);
    if (HWND h = reinterpret_cast<HWND>(Handle())) DestroyWindow(h);
    field(kHandle) = 0;
    for (int member : {kIcon, kFont, kTooltip, kBalloon}) endMember(member);
    SetTooltips({});
    for (const char* name : {"Screen", "Printer", "AppData"}) {
        rt::Value& v = rt::publicVar(name);
        if (v.isObject()) {
            rt::Value o = v;
            sendIfUnderstood(o, "End");
            rt::publicVar(name) = rt::Value();
        }
    }
    if (std::exchange(g_oleStarted, false)) OleUninitialize();
    rt::publicVar("Application") = rt::Value();
    return {};
}

void XApplication::endMember(int position) {
    rt::Value o = field(position);
    field(position) = rt::Value();
    sendIfUnderstood(o, "End");
}

rt::Value XApplication::ShowMessage(rt::Args args) {
    const rt::Value& text = rt::arg(args, 0);
    const rt::Value& title = rt::arg(args, 1);
    const rt::Value& flags = rt::arg(args, 2);
    return rt::Value(messageBox(text.isNil() ? rt::Value("") : text, title.isNil() ? field(kTitle) : title,
                                flags.isNil() ? MB_ICONINFORMATION : flags.asInteger(),
                                handleOf(roster_.mainForm())));
}

rt::Value XApplication::SetFont(rt::Args args) {
    const rt::Value& x = rt::arg(args, 0);
    rt::Value font = x.isObject() ? x : createByName("TFont", x.isNil() ? rt::Args{} : rt::Args(&x, 1));
    rt::Value old = field(kFont);
    if (old.isObject() && !old.sameAs(font)) sendIfUnderstood(old, "Destroy");
    field(kFont) = font;
    rt::Symbol count = rt::Symbol::intern("nCount");
    if (rt::understands(font, count)) rt::send(font, "_nCount", {rt::Value(rt::send(font, count).asInteger() + 1)});
    return font;
}

rt::Value XApplication::SetIcon(rt::Args args) {
    const rt::Value& x = rt::arg(args, 0);
    const rt::Value standard(32512);  // IDI_APPLICATION
    rt::Value icon = x.isObject() ? x : createByName("TIcon", x.isNil() ? rt::Args(&standard, 1) : rt::Args(&x, 1));
    rt::Value old = field(kIcon);
    if (old.isObject() && !old.sameAs(icon)) sendIfUnderstood(old, "Destroy");
    field(kIcon) = icon;
    if (icon.isObject() && Handle())
        SendMessageA(reinterpret_cast<HWND>(Handle()), WM_SETICON, ICON_BIG, handleOf(icon));
    return icon;
}

rt::Value XApplication::SetBusy(rt::Args args) {
    const bool busy = rt::arg(args, 0).asLogical();
    field(kBusy) = busy;
    if (busy) {
        const rt::Function* wait = rt::findFunction("CURSORWAIT");
        if (wait)
            (*wait)({});
        else
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    } else {
        // Moving the cursor where it is makes the window under it set its own cursor again.
        POINT p{};
        if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
    }
    processMessages();
    return {};
}

rt::Value XApplication::SetHelp(rt::Args args) {
    const rt::Value& x = rt::arg(args, 0);
    rt::Value help = x.isObject() ? x : createByName("THelp", rt::Args(&x, 1));
    rt::Value old = field(kHelp);
    if (old.isObject() && !old.sameAs(help)) sendIfUnderstood(old, "Destroy");
    field(kHelp) = help;
    return help;
}

rt::Value XApplication::SetMutex(rt::Args args) {
    const bool single = rt::arg(args, 0).asLogical();
    field(kSingleInstance) = single;
    if (!single) {
        endMember(kMutex);
        return rt::Value(false);
    }
    // The mutex is named after cTitle: set the title first, or there is no guard.
    const rt::Value title = field(kTitle);
    rt::Value mutex = createByName("TMutex", rt::Args(&title, 1));
    field(kMutex) = mutex;
    if (rt::understands(mutex, rt::Symbol::intern("lExisting")) && rt::send(mutex, "lExisting").asLogical()) {
        if (fireEvent(*this, OnNewInstance).isNil()) throw rt::Break{};  // another instance runs: end this one
    }
    return rt::Value(true);
}

rt::Value XApplication::SetTooltips(rt::Args) {
    tooltipReceiver()(handleOf(field(kTooltip)), handleOf(field(kBalloon)));
    return {};
}

rt::Value XApplication::GetVersionInfo(rt::Args) {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16));
    if (!resource) return {};
    HGLOBAL loaded = LoadResource(nullptr, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return {};
    auto info = parseVersionInfo(std::span(static_cast<const uint8_t*>(bytes), SizeofResource(nullptr, resource)));
    if (!info) return {};
    if (info->hasFixedPart) {
        field(kVersion) = rt::Value::number(info->version, 10, 1);
        field(kRelease) = info->release;
        field(kBuild) = info->build;
    }
    field(kVersionText) = toAnsi(info->fileVersion);
    field(kDescription) = toAnsi(info->description);
    field(kCompany) = toAnsi(info->company);
    field(kCopyright) = toAnsi(info->copyright);
    field(kTradeMarks) = toAnsi(info->trademarks);
    field(kComments) = toAnsi(info->comments);
    return {};
}

rt::Value XApplication::CurrentDir(rt::Args) {
    std::string dir = currentDirectory();
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    return rt::Value(dir);
}

rt::Value XApplication::CurrentDrive(rt::Args) {
    std::string dir = currentDirectory();
    return rt::Value(dir.size() >= 2 && dir[1] == ':' ? dir.substr(0, 2) : std::string());
}

rt::Value XApplication::DecimalSeparator(rt::Args) {
    char buffer[4] = {};
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buffer, sizeof buffer)) return rt::Value("");
    return rt::Value(std::string(1, buffer[0]));
}

}  // namespace vorpex
