#include "framework/controls/toolbar/tool_button.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/toolbar/toolbar.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

const rt::Class& XToolButton::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XToolButton;
        VPClass b("XToolButton", &TComponent::classRecord(), rt::factoryOf<XToolButton>());
        // Each of the first five properties is SetInfo's argument at its place.
        auto info = [](size_t at) {
            return rt::NativeMethod([at](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                return static_cast<X&>(o).infoSetter(at, a);
            });
        };
        auto state = [](const char* on, const char* off) {
            return rt::NativeMethod([on, off](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                rt::send(o, rt::arg(a, 0).asLogical() ? on : off);
                return rt::arg(a, 0);
            });
        };
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published, .setter = info(0)});
        kImage = b.addProperty({.name = "nImage", .initial = 0, .type = "N", .scope = Published, .setter = info(1),
                                .editor = "PE_ImageIndex"});
        kSeparator = b.addProperty(
            {.name = "lSeparator", .initial = false, .type = "L", .scope = Published, .setter = info(2)});
        kAutoSizeButton = b.addProperty(
            {.name = "lAutoSize", .initial = false, .type = "L", .scope = Published, .setter = info(3)});
        kGroup = b.addProperty({.name = "lGroup", .initial = false, .type = "L", .scope = Published, .setter = info(4)});
        kTooltip = b.addProperty(
            {.name = "cTooltip", .initial = "", .type = "C", .scope = Published, .editor = "PE_StringOrNil"});
        kMenu = b.addProperty({.name = "oMenu", .type = "TPopupMenu", .scope = Published, .editor = "PE_Component"});
        kEnabled = b.addProperty(
            {.name = "lEnabled", .initial = true, .type = "L", .scope = Published, .setter = state("Enable", "Disable")});
        kVisible = b.addProperty(
            {.name = "lVisible", .initial = true, .type = "L", .scope = Published, .setter = state("Show", "Hide")});
        kChecked = b.addProperty(
            {.name = "lChecked", .initial = false, .type = "L", .scope = Published, .setter = state("Check", "Uncheck")});
        b.addEvent("OnClick", Published, "oSender");
        kIndex = b.addProperty({.name = "nIndex", .initial = 0, .type = "N", .scope = Published, .readOnly = true});
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"Delete", &X::Delete}, {"Click", &X::Click},   {"Enable", &X::Enable},   {"Disable", &X::Disable},
            {"Show", &X::Show},     {"Hide", &X::Hide},     {"Check", &X::Check},     {"Uncheck", &X::Uncheck},
            {"SetInfo", &X::SetInfo}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        b.addVirtual("VPClick");
        return b.create();
    }();
    return c;
}

std::shared_ptr<XToolBar> XToolButton::bar() const { return rt::objectAs<XToolBar>(oParent()); }

toolbar::ButtonSpec XToolButton::spec() const {
    toolbar::ButtonSpec s;
    s.separator = field(kSeparator).asLogical();
    s.image = field(kImage).asInteger();
    s.text = cText();
    s.enabled = lEnabled();
    s.checked = field(kChecked).asLogical();
    s.visible = field(kVisible).asLogical();
    s.autoSize = field(kAutoSizeButton).asLogical();
    s.group = field(kGroup).asLogical();
    s.hasMenu = field(kMenu).isObject();
    s.hasClick = eventAssigned(*this, OnClick);
    return s;
}

Value XToolButton::Create(rt::Args args) {
    const int positions[] = {-1, -1, kSeparator, kText, kImage, kTooltip, kAutoSizeButton, kGroup, kChecked,
                             kEnabled, kVisible, kMenu};
    for (size_t at = 2; at < std::size(positions); ++at)
        if (!rt::arg(args, at).isNil()) field(positions[at]) = rt::arg(args, at);
    TComponent::Create(std::vector<Value>{rt::arg(args, 0)});
    auto owner = bar();
    if (!owner) return selfValue();
    std::vector<Value>& items = owner->itemList();
    const int64_t position = rt::arg(args, 1).asInteger();
    const bool atEnd = position <= 0 || position > static_cast<int64_t>(items.size());
    items.insert(atEnd ? items.end() : items.begin() + (position - 1), selfValue());
    if (owner->windowExists()) owner->rebuild();
    return selfValue();
}

Value XToolButton::Delete(rt::Args) {
    auto owner = bar();
    if (!owner) return {};
    const auto& items = owner->itemList();
    auto at = std::find_if(items.begin(), items.end(), [this](const Value& v) { return v.asObject().get() == this; });
    if (at == items.end()) return {};
    return owner->DeleteItem(std::vector<Value>{Value(static_cast<int64_t>(at - items.begin()) + 1)});
}

Value XToolButton::Click(rt::Args) {
    if (lEnabled()) fireEvent(*this, OnClick);
    return {};
}

Value XToolButton::setState(int position, bool on, unsigned message, bool hidden) {
    field(position) = on;
    if (auto owner = bar()) owner->send(message, toolbar::kFirstCommand + nIndex(), hidden ? !on : on);
    return Value(on);
}

Value XToolButton::Enable(rt::Args) { return setState(kEnabled, true, TB_ENABLEBUTTON, false); }
Value XToolButton::Disable(rt::Args) { return setState(kEnabled, false, TB_ENABLEBUTTON, false); }
Value XToolButton::Show(rt::Args) { return setState(kVisible, true, TB_HIDEBUTTON, true); }
Value XToolButton::Hide(rt::Args) { return setState(kVisible, false, TB_HIDEBUTTON, true); }
Value XToolButton::Check(rt::Args) { return setState(kChecked, true, TB_CHECKBUTTON, false); }
Value XToolButton::Uncheck(rt::Args) { return setState(kChecked, false, TB_CHECKBUTTON, false); }

Value XToolButton::infoSetter(size_t at, rt::Args args) {
    std::vector<Value> info(5);
    info[at] = rt::arg(args, 0);
    SetInfo(info);
    return rt::arg(args, 0);
}

Value XToolButton::SetInfo(rt::Args args) {
    if (rt::arg(args, 0).isString()) field(kText) = rt::arg(args, 0);
    if (rt::arg(args, 1).isNumber()) field(kImage) = rt::arg(args, 1);
    const int flags[] = {kSeparator, kAutoSizeButton, kGroup};
    for (size_t i = 0; i < std::size(flags); ++i)
        if (rt::arg(args, 2 + i).isLogical()) field(flags[i]) = rt::arg(args, 2 + i);
    auto owner = bar();
    if (!owner || !owner->windowExists()) return {};
    const toolbar::ButtonSpec s = spec();
    std::string text = s.text;
    TBBUTTONINFOA info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_IMAGE | TBIF_TEXT | TBIF_STYLE;
    info.iImage = static_cast<int>(toolbar::nativeImage(s.image));
    info.fsStyle = static_cast<BYTE>(toolbar::infoStyle(s, owner->sizing()));
    info.pszText = text.data();
    owner->send(TB_SETBUTTONINFOA, toolbar::kFirstCommand + nIndex(), reinterpret_cast<intptr_t>(&info));
    return {};
}

}  // namespace vorpex
