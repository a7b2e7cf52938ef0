// XApplication's class record, its form list and the members that need no window.
#include "framework/core/app/application.h"

#include "framework/core/app/application_layer.h"

#include "framework/core/app/loop_rules.h"
#include "framework/core/app/message_loop.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/startup/application_procs.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::scope::Exported;
using rt::scope::Hidden;
using rt::scope::Published;
using rt::scope::ReadOnly;

// The text at lParam of the notifications that carry one; "" for none.
rt::Value textAt(intptr_t address) {
    return rt::Value(address ? std::string(reinterpret_cast<const char*>(address)) : std::string());
}

// A window-message method of the hidden window that fires an event: its answer is the handler's, so an
// unassigned event lets the default processing run.
template <class F>
void addNotification(VPClass& b, const char* message, const EventRef& event, F arguments) {
    b.addMethod(message, [&event, arguments](rt::Object& self, const rt::Method&, rt::Args a) -> rt::Value {
        const auto w = static_cast<uintptr_t>(rt::arg(a, 0).asInteger());
        const auto l = static_cast<intptr_t>(rt::arg(a, 1).asInteger());
        std::vector<rt::Value> args = arguments(w, l);
        return fireEvent(self, event, rt::Args(args));
    });
}

void declareNotifications(VPClass& b) {
    using Args = std::vector<rt::Value>;
    auto none = [](uintptr_t, intptr_t) { return Args{}; };
    auto both = [](uintptr_t w, intptr_t l) { return Args{rt::Value(static_cast<long long>(w)), rt::Value(static_cast<long long>(l))}; };
    auto text = [](uintptr_t, intptr_t l) { return Args{textAt(l)}; };
    addNotification(b, "WMActivateApp", XApplication::OnActivateApp,
                    [](uintptr_t w, intptr_t) { return Args{rt::Value(w != 0)}; });
    addNotification(b, "WMCompacting", XApplication::OnCompacting,
                    [](uintptr_t w, intptr_t) { return Args{rt::Value(compactingPercent(w))}; });
    addNotification(b, "WMDeviceChange", XApplication::OnDeviceChange, both);
    addNotification(b, "WMDevModeChange", XApplication::OnDevModeChange, text);
    addNotification(b, "WMDisplayChange", XApplication::OnDisplayChange, [](uintptr_t w, intptr_t l) {
        return Args{rt::Value(static_cast<long long>(w)), rt::Value(static_cast<int>(l & 0xFFFF)),
                    rt::Value(static_cast<int>((l >> 16) & 0xFFFF))};
    });
    addNotification(b, "WMFontChange", XApplication::OnFontChange, none);
    addNotification(b, "WMSettingChange", XApplication::OnSettingChange, text);
    addNotification(b, "WMWinIniChange", XApplication::OnSettingChange, text);
    addNotification(b, "WMThemeChanged", XApplication::OnThemeChanged, none);
    addNotification(b, "WMTimeChange", XApplication::OnTimeChange, none);
    addNotification(b, "WMPowerBroadcast", XApplication::OnPowerBroadcast, both);
    addNotification(b, "WMSysColorChange", XApplication::OnSysColorChange, none);
    addNotification(b, "WMUserChanged", XApplication::OnUserChanged, none);
}

}  // namespace

struct ApplicationLayout {
    static void declare(VPClass& b) {
        using X = XApplication;
        X::kFont = b.addProperty({.name = "oFont", .scope = Published, .getter = &X::GetFont, .setter = &X::SetFont});
        X::kIcon = b.addProperty({.name = "oIcon", .scope = Published, .setter = &X::SetIcon});
        X::kTitle = b.addProperty({.name = "cTitle", .type = "C", .scope = Published});
        X::kAutoScale = b.addProperty(
            {.name = "lAutoScale", .initial = false, .type = "L", .scope = Published, .setter = &X::SetAutoScale});
        X::kScale = b.addProperty(
            {.name = "nScale", .initial = 100, .type = "N", .scope = Published, .setter = &X::SetScale});
        X::kSingleInstance = b.addProperty(
            {.name = "lSingleInstance", .initial = false, .type = "L", .scope = Published, .setter = &X::SetMutex});
        b.addProperty({.name = "lUseReturn", .initial = false, .type = "L", .scope = Published});
        X::kBusy = b.addProperty(
            {.name = "lBusy", .initial = false, .type = "L", .scope = Published, .setter = &X::SetBusy});
        X::kHelp = b.addProperty({.name = "oHelp", .scope = Published, .setter = &X::SetHelp});
        // The form list lives in C++ (the roster); these properties read it.
        b.addProperty({.name = "aForms", .type = "A", .scope = Published, .readOnly = true, .getter = &X::Forms});
        b.addProperty({.name = "oMainForm", .scope = Published, .readOnly = true, .getter = &X::MainForm});
        b.addProperty({.name = "oActiveForm", .scope = Published, .readOnly = true, .getter = &X::ActiveForm});
        auto readOnly = [&](const char* name, rt::Value initial, const char* type) {
            return b.addProperty(
                {.name = name, .initial = initial, .type = type, .scope = Published, .readOnly = true});
        };
        X::kWinVer = readOnly("nWinVer", {}, "N");
        X::kWinPlatform = readOnly("nWinPlatform", {}, "N");
        X::kArguments = readOnly("aArguments", {}, "A");
        X::kFileName = readOnly("cFileName", {}, "C");
        X::kDirectory = readOnly("cDirectory", {}, "C");
        X::kVersion = readOnly("nVersion", 0, "N");
        X::kRelease = readOnly("nRelease", 0, "N");
        X::kBuild = readOnly("nBuild", 0, "N");
        X::kVersionText = readOnly("cVersion", "", "C");
        X::kDescription = readOnly("cDescription", "", "C");
        X::kCompany = readOnly("cCompany", "", "C");
        X::kCopyright = readOnly("cCopyright", "", "C");
        X::kTradeMarks = readOnly("cTradeMarks", "", "C");
        X::kComments = readOnly("cComments", "", "C");
        b.addData("oActiveControl");
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        b.addEvent("OnActivateApp", Published, "oSender, lActivate");
        b.addEvent("OnCompacting", Published, "oSender, nPercent");
        b.addEvent("OnDeviceChange", Published, "oSender, nEventType, pEventData");
        b.addEvent("OnDevModeChange", Published, "oSender, cDeviceName");
        b.addEvent("OnDisplayChange", Published, "oSender, nBitsPerPixel, nWidth, nHeight");
        b.addEvent("OnPowerBroadcast", Published, "oSender, nEventType, pEventData");
        b.addEvent("OnSettingChange", Published, "oSender, cSection");
        for (const char* e : {"OnFontChange", "OnSysColorChange", "OnTimeChange", "OnThemeChanged", "OnUserChanged"})
            b.addEvent(e, Published, "oSender");
        b.addEvent("OnNewInstance", Exported, "oSender");

        X::kTerminate = b.addProperty(
            {.name = "lTerminate", .initial = false, .type = "L", .scope = Exported, .setter = &X::SetTerminate});
        X::kHandle = b.addData("Handle", 0, "N", Exported | ReadOnly);
        X::kTooltip = b.addData("oTooltip", {}, "O", Exported | ReadOnly);
        X::kBalloon = b.addData("oBalloon", {}, "O", Exported | ReadOnly);
        X::kFontScale = b.addData("nFontScale", 100, "N", Exported | ReadOnly);
        X::kMutex = b.addProperty({.name = "oMutex", .scope = Hidden});
    }

    static void methods(VPClass& b) {
        using X = XApplication;
        b.addMethod("Initialize", rt::method(&X::Initialize), Exported | rt::scope::Constructor);
        b.addMethod("MessageBox", rt::method(&X::ShowMessage));
        addMembers<XApplication>(b);
        b.addMethod("Link", linkMethod);
        b.addMethod("Unlink", unlinkMethod);
        declareNotifications(b);
    }
};

const rt::Class& XApplication::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XApplication", &TComponent::classRecord(), rt::factoryOf<XApplication>());
        ApplicationLayout::declare(b);
        ApplicationLayout::methods(b);
        return b.create();
    }();
    return c;
}

rt::Value XApplication::Forms(rt::Args) { return rt::Value(roster_.forms()); }
rt::Value XApplication::MainForm(rt::Args) { return roster_.mainForm(); }
rt::Value XApplication::ActiveForm(rt::Args) { return roster_.activeForm(); }

rt::Value XApplication::SetActiveForm(rt::Args args) {
    roster_.setActiveForm(rt::arg(args, 0));
    return {};
}

rt::Value XApplication::InsertForm(rt::Args args) {
    const rt::Value& form = rt::arg(args, 0);
    if (form.isNil()) return form;
    setTerminate(false);
    return roster_.insert(form);
}

rt::Value XApplication::RemoveForm(rt::Args args) {
    if (roster_.remove(rt::arg(args, 0))) setTerminate(true);
    return {};
}

rt::Value XApplication::Run(rt::Args) {
    roster_.ensureMainForm();
    while (!roster_.mainForm().isNil() && !lTerminate()) {
        rt::Value main = roster_.mainForm();
        LoopEnd end = runForm(main);
        if (end == LoopEnd::Quit || end == LoopEnd::Failed) break;
        // A main form whose window went without telling the list would be run again at once, forever.
        if (end == LoopEnd::FormGone && roster_.mainForm().sameAs(main)) RemoveForm(rt::Args(&main, 1));
    }
    return {};
}

rt::Value XApplication::SetTerminate(rt::Args args) { return setTerminate(rt::arg(args, 0).asLogical()); }

rt::Value XApplication::setTerminate(bool on) {
    field(kTerminate) = on;
    setAppRunning(!on);  // setting it ends the loop that runs
    return rt::Value(on);
}

rt::Value XApplication::Terminate(rt::Args) {
    rt::send(*this, "_lSingleInstance", {rt::Value(false)});
    return setTerminate(true);
}

ScaleState XApplication::scaleState() const {
    return ScaleState{field(kScale).asInt(), field(kAutoScale).asLogical(), field(kFontScale).asInt()};
}

rt::Value XApplication::SetScale(rt::Args args) {
    ScaleState s = scaleState();
    int ppi = 0;
    rt::Value screen = rt::publicVar("Screen");
    if (rt::understands(screen, rt::Symbol::intern("nPixelsPerInch"))) ppi = rt::send(screen, "nPixelsPerInch").asInt();
    rt::Value answer = vorpex::setScale(s, rt::arg(args, 0), rt::arg(args, 1), ppi);
    field(kScale) = s.scale;
    field(kAutoScale) = s.autoScale;
    field(kFontScale) = s.fontScale;
    return answer;
}

rt::Value XApplication::SetAutoScale(rt::Args args) {
    const rt::Value call[] = {rt::Value(), rt::arg(args, 0)};
    SetScale(call);
    return field(kAutoScale);
}

rt::Value XApplication::GetFont(rt::Args) {
    if (field(kFont).isNil()) SetFont({});
    return field(kFont);
}

rt::Value XApplication::GetIcon(rt::Args) {
    if (field(kIcon).isNil()) SetIcon({});
    return field(kIcon);
}

rt::Value XApplication::CallOnHelp(rt::Args args) {
    // The OnHelp handler, when one is assigned, takes the request: it gets the help id and the position.
    if (!eventAssigned(*this, OnHelp)) return rt::Value(false);
    fireEvent(*this, OnHelp, {rt::arg(args, 1), rt::arg(args, 2), rt::arg(args, 3)});
    return rt::Value(true);
}

rt::Value XApplication::Help(rt::Args args) {
    if (rt::send(*this, "CallOnHelp", {rt::arg(args, 0), rt::arg(args, 1), rt::arg(args, 2), rt::arg(args, 3)})
            .asLogical())
        return {};
    rt::Value help = field(kHelp);
    if (!help.isObject()) return {};
    const rt::Function* toString = rt::findFunction("TOSTRING");
    const rt::Value helpId = rt::arg(args, 1);
    rt::Value keyword = toString ? (*toString)(rt::Args(&helpId, 1)) : helpId;
    if (!rt::send(help, "ShowKeyword", {keyword, rt::Value(false)}).asLogical()) rt::send(help, "ShowTOC");
    return {};
}

void installApplicationLayer() {
    registerWindowFunctions();
    registerLoopFunctions();
    setApplicationFactory([] { initializeApplication(); });
}

rt::Value initializeApplication() {
    registerWindowFunctions();
    registerLoopFunctions();
    rt::Value app(TApplication::classRecord().instantiate());
    return rt::send(app, "Initialize");
}

}  // namespace vorpex
