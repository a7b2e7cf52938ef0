#include "framework/dialogs/runners/choose_color.h"

#include <vector>

#include "framework/core/object/vp_class.h"
#include "framework/dialogs/owner_window.h"

namespace vorpex {

using rt::Value;

namespace {

constexpr int64_t kWhite = 0xFFFFFF;
constexpr uint32_t kShowHelp = 0x4;  // CC_SHOWHELP

Value colorsValue(const CustomColors& colors) {
    std::vector<Value> items(colors.begin(), colors.end());
    return Value::array(std::move(items));
}

// Missing or non-numeric entries are white, as the dialog's own empty slots.
CustomColors colorsOf(const Value& list) {
    CustomColors colors;
    colors.fill(kWhite);
    if (!list.isArray()) return colors;
    const auto& items = list.asArray()->items;
    for (size_t i = 0; i < colors.size() && i < items.size(); ++i)
        if (items[i].isNumber()) colors[i] = items[i].asInteger();
    return colors;
}

}  // namespace

const rt::Class& XChooseColorDlg::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        VPClass b("XChooseColorDlg", &TComponent::classRecord(), rt::factoryOf<XChooseColorDlg>());
        kFlags = b.addProperty({.name = "nFlags", .initial = 0, .type = "N", .scope = Published});
        kColor = b.addProperty({.name = "nColor", .initial = 0, .type = "N", .scope = Published});
        CustomColors white;
        white.fill(kWhite);
        kCustomColors = b.addProperty({.name = "aCustomColors", .initial = colorsValue(white), .type = "A"});
        kCenter = b.addProperty({.name = "lCenter", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "HelpId", .scope = Published});
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnClose", Published, "oSender");
        b.addEvent("OnHelp", Published, "oSender, HelpId, nPosX, nPosY");
        kLastError = b.addData("nLastError", 0, "N");
        addMembers<XChooseColorDlg>(b);
        b.addMethod("Execute", rt::method(&XChooseColorDlg::Run));
        return b.create();
    }();
    return c;
}

Value XChooseColorDlg::Run(rt::Args) {
    ColorRequest r;
    r.owner = ownerWindow(oParent() ? Value(oParent()) : Value());
    r.dialog = this;
    r.flags = static_cast<uint32_t>(field(kFlags).asInteger());
    r.showsHelp = (r.flags & kShowHelp) != 0;
    r.center = field(kCenter).asLogical();
    r.color = field(kColor).asInteger();
    r.custom = colorsOf(field(kCustomColors));
    fireEvent(*this, OnShow);
    const ColorAnswer a = runChooseColor(r);
    if (!a.ok) {
        field(kLastError) = Value(static_cast<int64_t>(a.error));
        return Value(false);
    }
    field(kColor) = Value(a.color);
    field(kCustomColors) = colorsValue(a.custom);
    fireEvent(*this, OnClose);
    return Value(true);
}

}  // namespace vorpex
