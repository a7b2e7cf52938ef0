#include "framework/core/form/tests/form_fixture.h"

#include "framework/core/app/application.h"
#include "framework/core/control/control.h"
#include "framework/core/debug/debug_functions.h"
#include "framework/core/native/native_functions.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/timer/services.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "framework/graphics/graphics.h"
#include "runtime/core/callback_guard.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {

using rt::Value;

std::function<void(const Value& form)> programSetup;

std::vector<std::string>& journal() {
    static std::vector<std::string> j;
    return j;
}

namespace {

rt::NativeMethod fn(std::function<Value(rt::Object&, rt::Args)> f) {
    return [f](rt::Object& self, const rt::Method&, rt::Args a) { return f(self, a); };
}

// A standard control class over a system window class.
const rt::Class& systemClass(const char* name, const char* system, int64_t style, rt::Factory factory,
                             const std::function<void(VPClass&)>& more = {}) {
    VPClass b(name, &TStdControl::classRecord(), std::move(factory));
    const int wc = b.record().fieldPosition("cWinClassName");
    const int cs = b.record().fieldPosition("nCtlStyle");
    b.record().redeclareField(wc, Value(system), "C");
    b.record().redeclareField(cs, Value(static_cast<long long>(WS_CHILD | WS_VISIBLE | style)), "N");
    if (more) more(b);
    return b.create();
}

}  // namespace

const rt::Class& XTestButton::classRecord() {
    static const rt::Class& c = systemClass("TTestButton", "BUTTON", WS_TABSTOP | BS_PUSHBUTTON,
                                            rt::factoryOf<XTestButton>(), [](VPClass& b) {
                                                b.addProperty({.name = "nModalResult", .initial = 0, .type = "N"});
                                                addMembers<XTestButton>(b);
                                            });
    return c;
}

Value XTestButton::Click(rt::Args) {
    Value answer = fireEvent(*this, OnClick);
    const Value result = rt::send(*this, "nModalResult");
    if (result.asInteger() != 0) {
        const Value form = formValue();
        rt::send(form, "_nModalResult", {result});
        rt::send(form, "Close");
    }
    return answer;
}

const rt::Class& labelClass() {
    static const rt::Class& c = systemClass("TTestLabel", "STATIC", 0, rt::factoryOf<XStdControl>());
    return c;
}

const rt::Class& memoClass() {
    static const rt::Class& c =
        systemClass("TMemo", "EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, rt::factoryOf<XStdControl>());
    return c;
}

const rt::Class& componentClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TTestComponent", &TComponent::classRecord(), rt::factoryOf<XComponent>());
        b.addData("cName", "");
        b.addMethod("Create", fn([](rt::Object& s, rt::Args a) {
                        rt::send(s, "_oParent", {rt::arg(a, 0)});
                        rt::send(s, "_cName", {rt::arg(a, 1)});
                        sendIfUnderstood(rt::arg(a, 0), "InsertComponent", {Value(s.self())});
                        return Value(s.self());
                    }),
                    rt::scope::Exported | rt::scope::Constructor);
        b.addMethod("Destroy", fn([](rt::Object& s, rt::Args a) {
            journal().push_back("end " + rt::send(s, "cName").asString());
            sendIfUnderstood(rt::send(s, "oParent"), "RemoveComponent", {Value(s.self())});
            return static_cast<XComponent&>(s).XComponent::Destroy(a);
        }));
        return b.create();
    }();
    return c;
}

const rt::Class& programFormClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TForm1", &TForm::classRecord(), rt::factoryOf<TForm>());
        b.addData("oOk");
        b.addData("oApply");
        b.addMethod("CreateForm", fn([](rt::Object& s, rt::Args a) {
            const Value self(s.self());
            rt::send(self, "_cText", {"Alta de empleados"});
            rt::send(self, "SetBounds", {20, 20, 320, 200});
            if (rt::arg(a, 0).asLogical()) rt::send(self, "Create");
            auto button = [&](const char* text, int left, const char* handler) {
                Value b = rt::send(Value(XTestButton::classRecord().instantiate()), "New", {self});
                rt::send(b, "SetBounds", {left, 120, 90, 26});
                rt::send(b, "_cText", {text});
                rt::send(b, "_OnClick", {handler});  // bound to the form by name
                rt::send(b, "Create");
                return b;
            };
            const Value ok = button("&Aceptar", 20, "OkClick");
            rt::send(ok, "_nModalResult", {mrOK});
            const Value apply = button("A&plicar", 120, "ApplyClick");
            rt::send(self, "_oOk", {ok});
            rt::send(self, "_oApply", {apply});
            rt::send(self, "_oDefaultButton", {ok});
            if (programSetup) programSetup(self);
            return self;
        }));
        b.addMethod("OkClick", fn([](rt::Object&, rt::Args) {
            journal().push_back("ok");
            return Value();
        }));
        b.addMethod("ApplyClick", fn([](rt::Object&, rt::Args a) {
            journal().push_back("apply" + std::string(rt::objectAs<XTestButton>(rt::arg(a, 0)) ? " from button" : ""));
            return Value();
        }));
        b.addMethod("Tick", fn([](rt::Object&, rt::Args) {
            journal().push_back("tick");
            return Value();
        }));
        return b.create();
    }();
    return c;
}

void FormTest::SetUp() {
    rt::resetForTests();
    resetBridgeCacheForTests();
    registerNativeFunctions();
    registerGraphics();
    registerControls();
    registerServiceClasses();
    registerDebugFunctions();
    registerForms();
    memoClass();
    journal().clear();
    programSetup = nullptr;
    initializeApplication();
    ASSERT_TRUE(app().isObject());
    baseline = rt::Object::liveCount();
}

void FormTest::TearDown() {
    closeAll();
    if (app().isObject()) rt::send(app(), "End");
    pump();
    windowLinks().freeReleased();
    rt::clearPendingBreak();
    programSetup = nullptr;
}

void FormTest::closeAll() {
    const Value a = app();
    if (!a.isObject()) return;
    std::vector<Value> forms = rt::send(a, "aForms").asArray()->items;
    for (const Value& f : forms)
        if (HWND h = hwndOf(f)) DestroyWindow(h);
    forms.clear();
    pump();
    windowLinks().freeReleased();
}

Value FormTest::app() { return rt::publicVar("Application"); }

HWND FormTest::hwndOf(const Value& o) { return reinterpret_cast<HWND>(handleOf(o)); }

void FormTest::pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

bool FormTest::pumpUntil(const std::function<bool()>& done) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > 20000) return false;
        pump();
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

Value FormTest::plainForm(const std::function<void(const Value&)>& before, bool create) {
    Value f = rt::send(Value(TForm::classRecord().instantiate()), "New");
    rt::send(f, "SetBounds", {30, 30, 300, 200});
    if (before) before(f);
    if (create) rt::send(f, "Create");
    return f;
}

Value FormTest::program() { return rt::send(Value(programFormClass().instantiate()), "New"); }

}  // namespace vorpex::testing
