#include "framework/core/app/tests/stub_form.h"

#include <map>

#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/class_builder.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::testing {

namespace {

std::map<const rt::Object*, FormAction>& actions() {
    static std::map<const rt::Object*, FormAction> a;
    return a;
}

HWND hwndOf(rt::Object& self) { return reinterpret_cast<HWND>(vorpex::handleOf(self)); }

rt::NativeMethod fn(std::function<rt::Value(rt::Object&, rt::Args)> f) {
    return [f](rt::Object& self, const rt::Method&, rt::Args a) { return f(self, a); };
}

const rt::Class& stubFormClass() {
    static const rt::Class& c = []() -> const rt::Class& {
        rt::ClassBuilder b("TSTUBLOOPFORM", nullptr, nullptr);
        b.addData("Handle", 0);
        b.addData("cName", "");
        b.addData("nModalResult", 0);
        b.addData("lModal", false);
        b.addData("lActive", false);
        b.addMethod("ClassName", fn([](rt::Object&, rt::Args) { return rt::Value("TStubLoopForm"); }));
        b.addMethod("RegisterClass", registerClassMethod);
        b.addMethod("Link", linkMethod);
        b.addMethod("Unlink", unlinkMethod);
        b.addMethod("lVisible", fn([](rt::Object& s, rt::Args) { return rt::Value(IsWindowVisible(hwndOf(s)) != 0); }));
        b.addMethod("lEnabled", fn([](rt::Object& s, rt::Args) { return rt::Value(IsWindowEnabled(hwndOf(s)) != 0); }));
        b.addMethod("Show", fn([](rt::Object& s, rt::Args) { ShowWindow(hwndOf(s), SW_SHOW); return rt::Value(); }));
        b.addMethod("Disable", fn([](rt::Object& s, rt::Args) { EnableWindow(hwndOf(s), FALSE); return rt::Value(); }));
        b.addMethod("Enable", fn([](rt::Object& s, rt::Args) { EnableWindow(hwndOf(s), TRUE); return rt::Value(); }));
        b.addMethod("Destroy", fn([](rt::Object& s, rt::Args) {
            destroyedForms().push_back(rt::send(s, "cName").asString());
            DestroyWindow(hwndOf(s));
            return rt::Value();
        }));
        b.addMethod("WMVorpex", fn([](rt::Object& s, rt::Args) {
            auto it = actions().find(&s);
            if (it != actions().end()) {
                FormAction action = it->second;
                action(rt::Value(s.self()));
            }
            return rt::Value(0);
        }));
        // As a form's window ends: detach, leave the Application's list.
        b.addMethod("WMNCDestroy", fn([](rt::Object& s, rt::Args) {
            rt::Value me(s.self());
            rt::send(s, "Unlink");
            actions().erase(&s);
            rt::Value app = rt::publicVar("Application");
            if (app.isObject()) rt::send(app, "RemoveForm", {me});
            return rt::Value();
        }));
        return b.create();
    }();
    return c;
}

}  // namespace

std::vector<std::string>& destroyedForms() {
    static std::vector<std::string> names;
    return names;
}

rt::Value makeStubForm(const std::string& name, bool visible) {
    rt::Value form(stubFormClass().instantiate());
    rt::send(form, "_cName", {rt::Value(name)});
    rt::send(form, "RegisterClass");
    rt::send(form, "Link");
    HWND h = CreateWindowExA(0, "TStubLoopForm", name.c_str(), WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0),
                             20, 20, 200, 120, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    windowCreationEnded();
    rt::send(form, "_Handle", {rt::Value(reinterpret_cast<intptr_t>(h))});
    rt::send(rt::publicVar("Application"), "InsertForm", {form});
    return form;
}

void setAction(const rt::Value& form, FormAction action) { actions()[form.asObject().get()] = std::move(action); }

void postAction(const rt::Value& form) { PostMessageA(handleOf(form), kAction, 0, 0); }

HWND handleOf(const rt::Value& form) { return reinterpret_cast<HWND>(vorpex::handleOf(form)); }

}  // namespace vorpex::testing
