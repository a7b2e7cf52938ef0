#include "framework/core/form/mdi_client.h"

#include <windows.h>

#include "framework/core/native/win_casts.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using win::toHwnd;

}  // namespace

const rt::Class& TMDIClient::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = TMDIClient;
        VPClass b("TMDIClient", &TWinControl::classRecord(), rt::factoryOf<X>());
        b.addProperty({.name = "nAlign", .initial = 5});
        b.addProperty({.name = "lTabStop", .initial = true});
        b.record().redeclareField(kWinClassName, Value("MDICLIENT"), "C");
        b.addProperty({.name = "lTransparent", .initial = true});
        kForms = b.addData("aForms", Value::array(), "A", Exported | ReadOnly);
        kActiveForm = b.addData("oActiveForm", Value(), "O", Exported | ReadOnly);
        addMembers<TMDIClient>(b);
        b.addMethod("CreateMDIClient", createMdiClientMethod);
        // The MDI client lays out its children itself and paints only its background.
        b.addVirtual("WMSize");
        b.addMethod("WMHScroll", [](rt::Object& self, const rt::Method&, rt::Args) -> Value {
            rt::send(self, "Refresh");
            return {};
        });
        b.addMethod("WMVScroll", [](rt::Object& self, const rt::Method&, rt::Args) -> Value {
            rt::send(self, "Refresh");
            return {};
        });
        return b.create();
    }();
    return c;
}

Value TMDIClient::Create(rt::Args args) {
    XComponent::Create(args.first(std::min<size_t>(args.size(), 1)));
    rt::send(*this, "GetForm");
    rt::send(*this, "Register");
    field(kThemeHandle) = Value();
    field(kId) = sendIfUnderstood(formValue(), "GetNewId");
    if (rt::send(*this, "CreateMDIClient").asLogical()) {
        rt::send(*this, "UpdateBounds");
        sendIfUnderstood(parentValue(), "InsertControl", {selfObject()});
    }
    return selfObject();
}

std::vector<Value> TMDIClient::forms() const {
    auto list = field(kForms).asArray();
    return list ? list->items : std::vector<Value>{};
}

Value TMDIClient::InsertForm(rt::Args args) {
    auto list = field(kForms).asArray();
    const Value& form = rt::arg(args, 0);
    if (list && form.isObject()) list->items.push_back(form);
    return {};
}

Value TMDIClient::RemoveForm(rt::Args args) {
    const Value& form = rt::arg(args, 0);
    auto list = field(kForms).asArray();
    if (list) std::erase_if(list->items, [&](const Value& v) { return v.sameAs(form); });
    const bool none = !list || list->items.empty();
    if (none || field(kActiveForm).asObject() == form.asObject()) field(kActiveForm) = Value();
    send(WM_MDIREFRESHMENU);
    if (none) sendIfUnderstood(parentValue(), "SetMDIMenu");
    return {};
}

Value TMDIClient::SetActiveForm(rt::Args args) {
    const Value& form = rt::arg(args, 0);
    field(kActiveForm) = form.isObject() ? Value::weak(form.asObject()) : Value();
    return {};
}

Value TMDIClient::send(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (!windowExists()) return Value(0);
    return Value(static_cast<long long>(SendMessageA(toHwnd(Handle()), message, wParam, lParam)));
}

Value TMDIClient::Tile(rt::Args args) { return send(WM_MDITILE, static_cast<uintptr_t>(rt::arg(args, 0).asInteger())); }
Value TMDIClient::TileHorizontal(rt::Args) { return send(WM_MDITILE, MDITILE_HORIZONTAL); }
Value TMDIClient::TileVertical(rt::Args) { return send(WM_MDITILE, MDITILE_VERTICAL); }
Value TMDIClient::Cascade(rt::Args) { return send(WM_MDICASCADE); }
Value TMDIClient::Next(rt::Args) { return send(WM_MDINEXT, 0, 0); }
Value TMDIClient::Previous(rt::Args) { return send(WM_MDINEXT, 0, 1); }
Value TMDIClient::ArrangeIcons(rt::Args) { return send(WM_MDIICONARRANGE); }

Value TMDIClient::MaximizeAll(rt::Args) {
    for (const Value& f : forms()) sendIfUnderstood(f, "Maximize");
    return {};
}

Value TMDIClient::MinimizeAll(rt::Args) {
    for (const Value& f : forms()) sendIfUnderstood(f, "Minimize");
    return {};
}

Value TMDIClient::CloseAll(rt::Args) {
    // The last child first, again and again, until one refuses.
    for (std::vector<Value> list = forms(); !list.empty(); list = forms()) {
        const Value last = list.back();
        if (!sendIfUnderstood(last, "Close").asLogical()) break;
        if (forms().size() == list.size()) break;  // hidden rather than closed: still listed
    }
    return {};
}

}  // namespace vorpex
