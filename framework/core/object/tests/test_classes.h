// Small classes written the way framework classes are: a control-like probe with properties and events, a
// subclass that redeclares, an unrelated class for two-parent and pointer cases, and a form-like owner that
// binds its controls' events by method name.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/core/object/component.h"
#include "framework/core/object/event.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/error.h"
#include "runtime/core/send.h"
#include "tests/support/recording_handler.h"

namespace vorpex::testing {

using rt::Args;
using rt::ObjectPtr;
using rt::Value;

class XProbe : public TComponent {
public:
    using TComponent::TComponent;
    static inline int kWidth = -1, kCaption = -1, kHeight = -1;
    static inline const EventRef OnClick{"OnClick"};
    static inline const EventRef OnClose{"OnClose"};

    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            using namespace rt::scope;
            VPClass b("XProbe", &TComponent::classRecord(), rt::factoryOf<XProbe>());
            kWidth = b.addProperty({.name = "nWidth", .initial = 10, .type = "N", .scope = Published});
            kCaption = b.addProperty({.name = "cCaption", .initial = "", .type = "C", .setter = &XProbe::SetCaption});
            kHeight = b.addProperty({.name = "nHeight", .initial = 5, .getter = "GetHeight"});
            b.addProperty({.name = "lBusy", .initial = false, .readOnly = true});
            auto top = [](Args a) { return Value(a[0].asObject()->field(kHeight).asInt() + 100); };
            b.addProperty({.name = "nTop", .initial = 3, .getter = rt::makeBlock(top)});
            b.addMethod("GetHeight", rt::method(&XProbe::GetHeight));
            b.addMethod("Area", rt::method(&XProbe::Area));
            b.addEvent("OnClick", Published, "oSender");
            b.addEvent("OnClose", Published, "oSender, lClose");
            return b.create();
        }();
        return c;
    }
    int nWidth() const { return field(kWidth).asInt(); }

    Value SetCaption(Args a) {
        field(kCaption) = rt::upper(rt::arg(a, 0).asString());
        return rt::arg(a, 0);
    }
    Value GetHeight() { return Value(field(kHeight).asInt() * 2); }
    Value Area() { return Value(nWidth() * field(kHeight).asInt()); }
};

using TProbe = UserClass<XProbe, "TProbe">;

// Redeclares: nWidth bare (moves last, new scope, read-only), nHeight with a new default, a property whose
// getter names an inherited method, cCaption bare (its C++ setter inherited), one more event.
class XProbe2 : public TProbe {
public:
    using TProbe::TProbe;
    static inline int kWidthHere = -1, kHeightHere = -1;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XProbe2", &TProbe::classRecord(), rt::factoryOf<XProbe2>());
            b.addData("nExtra", 7);
            kWidthHere = b.addProperty({.name = "NWIDTH", .scope = rt::scope::Exported, .readOnly = true});
            kHeightHere = b.addProperty({.name = "nHeight", .initial = 50});
            b.addProperty({.name = "nArea", .getter = "Area"});
            b.addProperty({.name = "cCaption", .scope = rt::scope::Published});  // keeps the C++ setter
            b.addEvent("OnChange", rt::scope::Published);
            b.addEvent("OnClick", rt::scope::Exported);  // params inherited
            return b.create();
        }();
        return c;
    }
};

class XOther : public TComponent {
public:
    using TComponent::TComponent;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("XOther", &TComponent::classRecord(), rt::factoryOf<XOther>());
            b.addProperty({.name = "cOther", .initial = "o"});
            b.addEvent("OnOther", rt::scope::Published, "oSender");
            b.addMethod("Button1Click", [](rt::Object&, const rt::Method&, Args) { return Value(-1); });
            return b.create();
        }();
        return c;
    }
};

// A form: owns its button through a component member, binds the button's events to its own methods in
// CreateForm, records what its handlers saw.
class TestForm : public TComponent {
public:
    using TComponent::TComponent;
    static inline int kButton = -1;
    static const rt::Class& classRecord() {
        static const rt::Class& c = []() -> const rt::Class& {
            VPClass b("TestForm", &TComponent::classRecord(), rt::factoryOf<TestForm>());
            kButton = b.addComponent("oButton1", "TProbe");
            b.addMethod("CreateForm", rt::method(&TestForm::CreateForm));
            b.addMethod("Assign", rt::method(&TestForm::Assign));
            b.addMethod("AssignInBlock", rt::method(&TestForm::AssignInBlock));
            b.addMethod("Button1Click", rt::method(&TestForm::Button1Click));
            b.addMethod("FormClosing", rt::method(&TestForm::FormClosing));
            return b.create();
        }();
        return c;
    }
    std::shared_ptr<XProbe> button() const { return rt::objectAs<XProbe>(field(kButton)); }

    // Builds the button the way a form's set-up does: New(oForm), events by name, Create.
    Value CreateForm() {
        Value btn = rt::send(Value(TProbe::classRecord().instantiate()), "New", {Value(self())});
        field(kButton) = btn;
        rt::send(btn, "_OnClick", {"Button1Click"});
        rt::send(btn, "_OnClose", {"FormClosing"});
        rt::send(btn, "Create");
        return {};
    }
    // Assign(oTarget, cEvent, xHandler): an assignment executed by this form.
    Value Assign(Args a) { return rt::send(rt::arg(a, 0), "_" + rt::arg(a, 1).asString(), {rt::arg(a, 2)}); }
    Value AssignInBlock(Args a) {
        std::vector<Value> args(a.begin(), a.end());
        return rt::makeBlock([args](Args) { return rt::send(args[0], "_" + args[1].asString(), {args[2]}); })->eval({});
    }
    Value Button1Click(Args a) {
        senders.push_back(rt::arg(a, 0));
        extra = rt::arg(a, 1);
        return Value(42);
    }
    Value FormClosing(Args a) {
        if (a.size() > 1) a[1].assign(Value(false));
        return Value(true);
    }

    std::vector<Value> senders;
    Value extra;
};

using rt::testing::RecordingHandler;

inline std::vector<std::string> names(const Value& list) {
    std::vector<std::string> out;
    if (auto a = list.asArray())
        for (const Value& v : a->items) out.push_back(v.isArray() ? v.asArray()->at1(1).asString() : v.asString());
    return out;
}

}  // namespace vorpex::testing
