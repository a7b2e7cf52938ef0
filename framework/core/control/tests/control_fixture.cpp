#include "framework/core/control/tests/control_fixture.h"

#include <commctrl.h>

#include <map>

#include "framework/core/object/object_bridge.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/block.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {

using rt::Value;

std::function<void(const Value& control)> onTimer;

std::vector<std::string>& journal() {
    static std::vector<std::string> j;
    return j;
}

namespace {

rt::NativeMethod fn(std::function<Value(rt::Object&, rt::Args)> f) {
    return [f](rt::Object& self, const rt::Method&, rt::Args a) { return f(self, a); };
}

std::string nameOf(const Value& o) {
    Value n = sendIfUnderstood(o, "cName");
    return n.isString() ? n.asString() : std::string("?");
}

// The probe members every probe class adds.
void addProbeMembers(VPClass& b) {
    b.addData("cName", "");
    b.addData("nAlignment", 0);
    b.addData("nVAlignment", 0);
    b.addMethod("GotFocus", fn([](rt::Object& s, rt::Args) {
        journal().push_back("GotFocus " + nameOf(Value(s.self())));
        return Value();
    }));
    b.addMethod("Notify", fn([](rt::Object& s, rt::Args) {
        journal().push_back("Notify " + nameOf(Value(s.self())));
        return Value(7);
    }));
    b.addMethod("GetTooltip", fn([](rt::Object&, rt::Args a) {
        return Value("zone " + std::to_string(rt::arg(a, 0).asInteger()));
    }));
    b.addMethod("WMTimer", fn([](rt::Object& s, rt::Args a) {
        KillTimer(reinterpret_cast<HWND>(rt::arg(a, 2).asInteger()), static_cast<UINT_PTR>(rt::arg(a, 0).asInteger()));
        if (onTimer) onTimer(Value(s.self()));
        return Value(0);
    }));
}

template <class Cpp>
const rt::Class& probeClass(const char* name, const rt::Class& parent) {
    VPClass b(name, &parent, rt::factoryOf<Cpp>());
    addProbeMembers(b);
    return b.create();
}

const rt::Class& appClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TTESTAPP", nullptr, nullptr);
        b.addData("nScale", 100);
        b.addData("lBusy", false);
        b.addData("oFont");
        b.addData("oTooltip");
        b.addData("oBalloon");
        b.addMethod("GetFont", fn([](rt::Object& s, rt::Args) { return rt::send(s, "oFont"); }));
        return b.create();
    }();
    return c;
}

HWND controlWindow(const Value& control) { return reinterpret_cast<HWND>(handleOf(control)); }

// The tool of a control in a tip window, as AddTool registered it.
TTTOOLINFOA toolFor(const Value& control, const Value& id, bool zone) {
    TTTOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;
    HWND h = controlWindow(control);
    if (zone) {
        ti.hwnd = h;
        ti.uId = static_cast<UINT_PTR>(id.asInteger());
    } else {
        ti.hwnd = GetParent(h);
        ti.uId = reinterpret_cast<UINT_PTR>(h);
        ti.uFlags = TTF_IDISHWND;
    }
    return ti;
}

const rt::Class& tipClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TTESTTIP", nullptr, nullptr);
        b.addData("Handle", 0);
        auto tipOf = [](rt::Object& s) { return reinterpret_cast<HWND>(rt::send(s, "Handle").asInteger()); };
        b.addMethod("AddTool", fn([tipOf](rt::Object& s, rt::Args a) {
            auto rect = rt::arg(a, 1).asArray();
            TTTOOLINFOA ti = toolFor(rt::arg(a, 0), rt::arg(a, 2), rect != nullptr);
            ti.uFlags |= TTF_SUBCLASS;
            ti.lpszText = LPSTR_TEXTCALLBACKA;
            if (rect)
                ti.rect = {rect->at1(1).asInt(), rect->at1(2).asInt(), rect->at1(3).asInt(), rect->at1(4).asInt()};
            return Value(SendMessageA(tipOf(s), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)) != 0);
        }));
        b.addMethod("DelTool", fn([tipOf](rt::Object& s, rt::Args a) {
            TTTOOLINFOA ti = toolFor(rt::arg(a, 0), rt::arg(a, 1), rt::arg(a, 1).isNumber());
            SendMessageA(tipOf(s), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
            return Value();
        }));
        b.addMethod("SetToolInfo", fn([tipOf](rt::Object& s, rt::Args a) {
            TTTOOLINFOA ti = toolFor(rt::arg(a, 0), Value(), false);
            ti.uFlags |= TTF_SUBCLASS;
            ti.lpszText = LPSTR_TEXTCALLBACKA;
            SendMessageA(tipOf(s), TTM_SETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&ti));
            return Value();
        }));
        return b.create();
    }();
    return c;
}

}  // namespace

const rt::Class& XTestForm::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TTestForm", &TWinControl::classRecord(), rt::factoryOf<XTestForm>());
        b.record().redeclareField(kCtlStyle, Value(static_cast<long long>(WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN)), "N");
        b.addProperty({.name = "lVisible", .initial = false});
        b.addData("oPopup");
        b.addData("lMsgAuto", false);
        b.addData("oMsgBar");
        b.addData("cName", "form");
        b.addEvent("OnChangeFocus", rt::scope::Published, "oSender, oPrev, oNew");
        b.addMethod("GetForm", fn([](rt::Object& s, rt::Args) { return Value(s.self()); }));
        b.addMethod("GetNewId", fn([](rt::Object& s, rt::Args) {
            auto& f = static_cast<XTestForm&>(s);
            return f.Handle() ? Value(f.nextId++) : Value();  // the form itself takes no id
        }));
        b.addMethod("AddShortCut", fn([](rt::Object& s, rt::Args) {
            ++static_cast<XTestForm&>(s).shortcutsAdded;
            return Value();
        }));
        b.addMethod("DelShortCut", fn([](rt::Object& s, rt::Args) {
            ++static_cast<XTestForm&>(s).shortcutsRemoved;
            return Value();
        }));
        b.addMethod("RequestState", fn([](rt::Object& s, rt::Args a) {
            ++static_cast<XTestForm&>(s).stateRequests;
            return static_cast<XTestForm&>(s).XWinControl::RequestState(a);
        }));
        return b.create();
    }();
    return c;
}

const rt::Class& probeControlClass() {
    static const rt::Class& c = probeClass<TControl>("TProbeControl", TControl::classRecord());
    return c;
}
const rt::Class& probeStdClass() {
    static const rt::Class& c = probeClass<TStdControl>("TProbeStd", TStdControl::classRecord());
    return c;
}
const rt::Class& probeContainerClass() {
    static const rt::Class& c = probeClass<TWinControl>("TProbeContainer", TWinControl::classRecord());
    return c;
}

const rt::Class& systemControlClass(const std::string& systemClass) {
    static std::map<std::string, const rt::Class*> classes;
    auto it = classes.find(systemClass);
    if (it != classes.end()) return *it->second;
    VPClass b("TTest" + systemClass, &probeStdClass(), rt::factoryOf<TStdControl>());
    b.record().redeclareField(b.record().fieldPosition("cWinClassName"), Value(systemClass), "C");
    const rt::Class& c = b.create();
    classes[systemClass] = &c;
    return c;
}

void AppStub::setScale(int percent) { rt::send(object, "_nScale", {Value(percent)}); }
void AppStub::setBusy(bool busy) { rt::send(object, "_lBusy", {Value(busy)}); }
void AppStub::setFont(const Value& font) { rt::send(object, "_oFont", {font}); }
void AppStub::setTooltip(const Value& tip) { rt::send(object, "_oTooltip", {tip}); }

void ControlTest::SetUp() {
    registerGraphics();
    registerControls();
    app.object = Value(appClass().instantiate());
    rt::publicVar("Application") = app.object;
    if (!rt::publicVar("Screen").isObject()) rt::send((*rt::findFunction("TSCREEN"))({}), "Initialize");
    resetBridgeCacheForTests();
    journal().clear();
    onTimer = nullptr;
}

void ControlTest::TearDown() {
    if (HWND h = hwndOf(form); h && IsWindow(h)) DestroyWindow(h);
    pump();
    windowLinks().freeReleased();
    form = Value();
    rt::publicVar("Application") = Value();
    resetBridgeCacheForTests();
}

Value ControlTest::makeForm(bool visible, int width, int height) {
    form = Value(XTestForm::classRecord().instantiate());
    rt::send(form, "New");
    rt::send(form, "SetBounds", {Value(0), Value(0), Value(width), Value(height)});
    rt::send(form, "Create");
    if (visible) {
        rt::send(form, "Show");
        SetForegroundWindow(hwndOf(form));
        pump();
    }
    return form;
}

Value ControlTest::makeControl(const rt::Class& cls, const Value& parent, int left, int top, int width, int height,
                               const std::function<void(const Value&)>& before) {
    Value c(cls.instantiate());
    rt::send(c, "New", {parent});
    rt::send(c, "SetBounds", {Value(left), Value(top), Value(width), Value(height)});
    if (before) before(c);
    rt::send(c, "Create");
    return c;
}

HWND ControlTest::hwndOf(const Value& control) { return controlWindow(control); }

RECT ControlTest::placeOf(const Value& control) {
    HWND h = hwndOf(control);
    RECT r{};
    GetWindowRect(h, &r);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void ControlTest::pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

Value ControlTest::counter(int& count, Value answer) {
    return Value(rt::makeBlock([&count, answer](rt::Args) {
        ++count;
        return answer;
    }));
}

Value makeTestTip() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    HWND h = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    Value tip(tipClass().instantiate());
    rt::send(tip, "_Handle", {handleValue(h)});
    return tip;
}

int toolCount(const Value& tip) {
    return static_cast<int>(SendMessageA(controlWindow(tip), TTM_GETTOOLCOUNT, 0, 0));
}

}  // namespace vorpex::testing
