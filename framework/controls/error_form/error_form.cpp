#include "framework/controls/error_form/error_form.h"

#include <windows.h>

#include "framework/controls/button/button.h"
#include "framework/controls/edit/memo.h"
#include "framework/core/form/form_styles.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/texts/texts.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using texts::LT;

namespace {

constexpr int kClosedHeight = 107, kOpenHeight = 265;
constexpr int kAnchorsLeftTopRight = 7, kAnchorsTopRight = 6;

ErrorFormAutomation& automation() {
    static ErrorFormAutomation a;
    return a;
}

TErrorForm& form(rt::Object& o) { return static_cast<TErrorForm&>(o); }

std::string closedCaption() { return LT(32803) + " >>>"; }
std::string openCaption() { return "<<< " + LT(32803); }

}  // namespace

const rt::Class& TErrorForm::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TErrorForm", &TForm::classRecord(), rt::factoryOf<TErrorForm>());
        kMemo1 = b.addComponent("oMemo1", "TMemo");
        kMemo2 = b.addComponent("oMemo2", "TMemo");
        kDetails = b.addComponent("oDetails", "TButton");
        kMessage = b.addData("cMessage", "", "C");
        kOptions = b.addData("aOptions", Value::array(), "A");
        kLog = b.addData("cLog", "", "C");
        b.addMethod("CreateForm", [](rt::Object& o, const rt::Method&, rt::Args a) { return form(o).BuildForm(a); });
        b.addMethod("Details", [](rt::Object& o, const rt::Method&, rt::Args a) { return form(o).Details(a); });
        b.addMethod("WMNCLButtonDblClk",
                    [](rt::Object& o, const rt::Method&, rt::Args a) { return form(o).NCLButtonDblClk(a); });
        return b.create();
    }();
    return c;
}

Value TErrorForm::makeChild(const rt::Class& cls, int left, int top, int width, int height,
                            std::initializer_list<std::pair<const char*, Value>> properties) {
    Value child = rt::send(Value(cls.instantiate()), "New", {selfObject()});
    rt::send(child, "SetBounds", {left, top, width, height});
    for (const auto& [setter, value] : properties) rt::send(child, setter, {value});
    return rt::send(child, "Create");
}

Value TErrorForm::BuildForm(rt::Args) {
    Value self = selfObject();
    rt::send(self, "_nWidth", {600});
    rt::send(self, "_nHeight", {140});
    rt::send(self, "_nClientHeight", {kClosedHeight});
    rt::send(self, "_cText", {LT(32796)});
    rt::send(self, "_nBorderStyle", {bsDIALOG});
    rt::send(self, "_lMinimizeBox", {false});
    rt::send(self, "_lAutoScroll", {false});
    rt::send(self, "Create");
    if (windowExists())
        SendMessageA(reinterpret_cast<HWND>(Handle()), WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_HAND))));

    field(kMemo1) = makeChild(TMemo::classRecord(), 6, 8, 582, 60,
                              {{"_lReadOnly", true}, {"_lVScroll", false}, {"_nAnchors", kAnchorsLeftTopRight},
                               {"_cText", field(kMessage)}});
    Value first;
    const auto options = field(kOptions).asArray();
    for (size_t i = 0; options && i < options->size(); ++i) {
        Value button = makeChild(TButton::classRecord(), static_cast<int>(i) * 80 + 5, 75, 75, 25,
                                 {{"_cText", options->items[i]}, {"_nModalResult", static_cast<int>(i) + 1}});
        if (i == 0) first = button;
    }
    // The handler holds the form only weakly: the button must not keep its own form alive.
    std::weak_ptr<rt::Object> weakSelf = self.asObject();
    const Value onDetails(rt::makeBlock([weakSelf](rt::Args) {
        if (auto f = weakSelf.lock()) rt::send(Value(f), "Details");
        return Value();
    }));
    field(kDetails) = makeChild(TButton::classRecord(), 512, 75, 75, 25,
                                {{"_nAnchors", kAnchorsTopRight}, {"_cText", closedCaption()}, {"_OnClick", onDetails}});
    Value font = createByClassName("TFont", "Create", {"Courier New", 9});
    field(kMemo2) = makeChild(TMemo::classRecord(), 6, 110, 582, 150,
                              {{"_lReadOnly", true}, {"_cText", field(kLog)}, {"_oFont", font}, {"_lVisible", false}});
    if (!first.isNil()) {
        rt::send(self, "_oDefaultButton", {first});
        rt::send(self, "_oActiveControl", {first});
        rt::send(first, "_lDefault", {true});
    }
    return self;
}

Value TErrorForm::Details(rt::Args) {
    const Value details = field(kDetails), log = field(kMemo2);
    const bool open = rt::send(details, "cText").asString().rfind("<", 0) == 0;
    if (open) {
        rt::send(details, "_cText", {closedCaption()});
        rt::send(selfObject(), "_nClientHeight", {kClosedHeight});
        rt::send(log, "Hide");
        return {};
    }
    rt::send(details, "_cText", {openCaption()});
    rt::send(selfObject(), "_nClientHeight", {kOpenHeight});
    rt::send(log, "SelectAll");
    rt::send(log, "SendMsg", {WM_COPY, 0, 0});
    rt::send(log, "SelectNone");
    rt::send(log, "Show");
    return {};
}

Value TErrorForm::NCLButtonDblClk(rt::Args args) {
    if (rt::arg(args, 0).asInteger() != HTCAPTION || !windowExists()) return {};
    const Value self = selfObject(), details = field(kDetails), log = field(kMemo2);
    if (IsZoomed(reinterpret_cast<HWND>(Handle()))) {
        rt::send(self, "Restore");
        rt::send(details, "Enable");
    } else {
        if (rt::send(details, "cText").asString().rfind("<", 0) != 0) Details({});
        rt::send(self, "Maximize");
        rt::send(details, "Disable");
    }
    RECT client{};
    GetClientRect(reinterpret_cast<HWND>(Handle()), &client);
    const int64_t top = rt::send(log, "nTop").asInteger();
    rt::send(log, "SetBounds", {Value(), Value(), Value(static_cast<long long>(client.right - 13)),
                                Value(static_cast<long long>(client.bottom - top - 6))});
    return Value(0);
}

int showErrorForm(const ErrorFormRequest& request) {
    auto made = std::static_pointer_cast<TErrorForm>(TErrorForm::classRecord().instantiate());
    made->field(TErrorForm::kMessage) = Value(request.message);
    std::vector<Value> options(request.options.begin(), request.options.end());
    made->field(TErrorForm::kOptions) = Value::array(std::move(options));
    made->field(TErrorForm::kLog) = Value(request.log);
    const Value owner = sendIfUnderstood(rt::publicVar("Application"), "oMainForm");
    const Value errorForm = rt::send(Value(made), "New", {owner});
    if (automation()) automation()(errorForm);
    const int64_t chosen = rt::send(errorForm, "ShowModal", {Value(), true}).asInteger();
    rt::send(errorForm, "End");
    return chosen > 0 ? static_cast<int>(chosen) : 1;
}

ErrorFormAutomation setErrorFormAutomation(ErrorFormAutomation a) {
    ErrorFormAutomation old = std::move(automation());
    automation() = std::move(a);
    return old;
}

}  // namespace vorpex
