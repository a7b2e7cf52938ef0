#include "framework/controls/menu/menu_item.h"

#include "framework/controls/menu/menu.h"
#include "framework/controls/menu/menu_ids.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

}  // namespace

namespace menu {
MenuIds& menuIds() {
    static MenuIds ids;
    return ids;
}
}  // namespace menu

const rt::Class& XMenuItem::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XMenuItem;
        VPClass b("XMenuItem", &TWinObject::classRecord(), rt::factoryOf<XMenuItem>());
        // Properties whose change the native item must show at once.
        auto stateSetter = [](int& position) {
            return rt::NativeMethod([&position](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                return static_cast<X&>(o).SetStateFlag(position, a);
            });
        };
        auto infoSetter = [](int& position) {
            return rt::NativeMethod([&position](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                return static_cast<X&>(o).SetInfoFlag(position, a);
            });
        };
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published,
                               .setter = &X::SetTextProperty, .editor = "PE_ExtendedString"});
        kMessage = b.addProperty({.name = "cMessage", .initial = "", .type = "C", .scope = Published});
        kImage = b.addProperty({.name = "nImage", .initial = 0, .type = "N", .scope = Published,
                                .setter = &X::SetImage, .editor = "PE_ImageIndex"});
        kEnabled = b.addProperty(
            {.name = "lEnabled", .initial = true, .type = "L", .scope = Published, .setter = stateSetter(kEnabled)});
        kChecked = b.addProperty(
            {.name = "lChecked", .initial = false, .type = "L", .scope = Published, .setter = stateSetter(kChecked)});
        kHiLited = b.addProperty(
            {.name = "lHiLited", .initial = false, .type = "L", .scope = Published, .setter = stateSetter(kHiLited)});
        kDefault = b.addProperty(
            {.name = "lDefault", .initial = false, .type = "L", .scope = Published, .setter = stateSetter(kDefault)});
        kRight = b.addProperty(
            {.name = "lRight", .initial = false, .type = "L", .scope = Published, .setter = infoSetter(kRight)});
        kSeparator = b.addProperty({.name = "lSeparator", .initial = false, .type = "L", .scope = Published,
                                    .setter = infoSetter(kSeparator)});
        b.addEvent("OnCheckState", Published, "oSender");
        b.addEvent("OnClick", Published, "oSender, oMenu");
        kSubMenu = b.addProperty({.name = "oSubMenu", .type = "O", .readOnly = true});
        kType = b.addProperty({.name = "nType", .initial = 0, .type = "N"});
        kState = b.addProperty({.name = "nState", .initial = 0, .type = "N"});
        kStyle = b.addProperty({.name = "nStyle", .initial = 0, .type = "N"});
        kId = b.addData("nId", Value(), "N", Exported);
        kBitmap = b.addData("hBitmap", Value(), "N", Exported);
        kBmpChecked = b.addData("hBmpChecked", Value(), "N", Exported);
        kBmpUnchecked = b.addData("hBmpUnchecked", Value(), "N", Exported);
        kMeasured = b.addData("lMeasured", false, "L", Exported);
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"GetMainMenu", &X::GetMainMenu},   {"oImageList", &X::ImageList},
            {"AddMenu", &X::AddMenu},           {"SetOwnerDraw", &X::SetOwnerDraw},
            {"SetInfo", &X::SetInfo},           {"SetState", &X::SetState},
            {"GetState", &X::GetState},         {"RequestState", &X::RequestState},
            {"SetImage", &X::SetImage},         {"AddImage", &X::AddImage},
            {"GetFormHandle", &X::GetFormHandle}, {"MeasureItem", &X::MeasureItem},
            {"DrawItem", &X::DrawItem}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        return b.create();
    }();
    return c;
}

std::shared_ptr<XMenu> XMenuItem::menu() const { return rt::objectAs<XMenu>(oParent()); }
std::shared_ptr<XMenu> XMenuItem::subMenu() const { return rt::objectAs<XMenu>(field(kSubMenu)); }

menu::NativeItem XMenuItem::nativeRecord() const {
    auto handle = [this](int position) {
        return static_cast<intptr_t>(field(position).isNumber() ? field(position).asInteger() : 0);
    };
    return {nType(), nState(), nId(), Handle(), handle(kBmpChecked), handle(kBmpUnchecked), cText()};
}

void XMenuItem::writeNative() {
    if (auto m = menu()) menu::menuPort().update(m->Handle(), nId(), false, nativeRecord());
}

void XMenuItem::setTypeBit(int64_t bit, bool on) { field(kType) = number(on ? (nType() | bit) : (nType() & ~bit)); }

void XMenuItem::click(const Value& menu) { fireEvent(*this, OnClick, {menu}); }

Value XMenuItem::New(rt::Args args) {
    if (rt::arg(args, 0).isObject()) setParent(rt::arg(args, 0).asObject());
    return selfValue();
}

Value XMenuItem::Create(rt::Args args) {
    const Value& parentArg = rt::arg(args, 0);
    if (parentArg.isObject()) setParent(parentArg.asObject());
    const int64_t position = rt::arg(args, 1).isNumber() ? rt::arg(args, 1).asInteger() : -1;
    Value image = rt::arg(args, 7);
    if (image.isString()) image = AddImage(std::vector<Value>{image});
    const std::pair<size_t, int> stored[] = {{2, kType}, {3, kText}, {4, kId}};
    for (const auto& [at, position] : stored)
        if (!rt::arg(args, at).isNil()) field(position) = rt::arg(args, at);
    if (!rt::arg(args, 5).isNil()) assignEvent(*this, OnClick, rt::arg(args, 5));
    if (!image.isNil()) field(kImage) = image;
    if (!field(kId).isNumber()) {
        field(kId) = number(menu::menuIds().issue());
        autoId_ = true;
    }
    if (nType() == menu::kTypeSeparator) field(kSeparator) = true;
    auto parent = menu();
    setStyle(parent ? parent->nStyle() : 0);
    if ((parent && parent->lOwnerDraw()) || nStyle() != 0) SetOwnerDraw(std::vector<Value>{Value(true)});
    SetInfo({});
    const Value owner = parent ? Value(rt::ObjectPtr(parent)) : Value();
    TWinObject::Create(std::vector<Value>{owner});
    SetState({});
    if (!parent) return selfValue();
    rt::send(owner, "Insert", {selfValue(), number(position)});
    if (!parent->lOwnerDraw() && nImage() != 0) parent->SetOwnerDraw({});
    if (!rt::arg(args, 6).isNil()) AddMenu(std::vector<Value>{rt::arg(args, 6)});
    return selfValue();
}

void XMenuItem::leaveMenu() {
    auto parent = menu();
    if (!parent) return;
    menu::menuPort().remove(parent->Handle(), nId(), false);
    parent->forgetItem(*this);
}

Value XMenuItem::Destroy(rt::Args args) {
    if (field(kSubMenu).isObject()) rt::send(field(kSubMenu), "End");
    field(kSubMenu) = Value();
    setHandle(0);
    // Out of its menu before its id may be issued again: no two live items share an id.
    leaveMenu();
    if (autoId_) menu::menuIds().giveBack(nId());
    autoId_ = false;
    return TWinObject::Destroy(args);
}

Value XMenuItem::GetMainMenu(rt::Args args) {
    auto item = rt::objectAs<XMenuItem>(rt::arg(args, 0));
    auto top = item ? item->menu() : menu();
    while (top) {
        auto opener = rt::objectAs<XMenuItem>(top->ownerValue());
        auto above = opener ? opener->menu() : nullptr;
        if (!above) break;
        top = above;
    }
    return top ? Value(rt::ObjectPtr(top)) : Value();
}

Value XMenuItem::ImageList(rt::Args) {
    auto top = rt::objectAs<XMenu>(GetMainMenu({}));
    return top ? top->oImageList() : Value();
}

Value XMenuItem::AddMenu(rt::Args args) {
    if (field(kSubMenu).isObject()) rt::send(field(kSubMenu), "End");
    const Value& given = rt::arg(args, 0);
    if (auto sub = rt::objectAs<XMenu>(given)) {
        sub->field(XMenu::kStyle) = number(nStyle());
        field(kSubMenu) = given;
    } else {
        field(kSubMenu) = rt::send(classCall(TMenu::classRecord()), "Create", {selfValue()});
    }
    auto sub = subMenu();
    setHandle(sub ? sub->Handle() : 0);
    writeNative();
    return field(kSubMenu);
}

Value XMenuItem::SetOwnerDraw(rt::Args args) {
    auto parent = menu();
    setStyle(parent ? parent->nStyle() : 0);
    const bool on = rt::arg(args, 0).asLogical() || nStyle() != 0;
    setTypeBit(menu::kTypeOwnerDraw, on);
    if (parent && parent->Handle()) writeNative();
    return Value(on);
}

void XMenuItem::redrawBar() {
    const int64_t window = GetFormHandle({}).asInteger();
    if (window) menu::menuPort().drawMenuBar(static_cast<intptr_t>(window));
}

Value XMenuItem::SetInfo(rt::Args) {
    setTypeBit(menu::kTypeRightJustify, field(kRight).asLogical());
    const bool separator = field(kSeparator).asLogical();
    setTypeBit(menu::kTypeSeparator, separator);
    if (separator) field(kText) = Value("");
    auto parent = menu();
    if (parent && parent->lOwnerDraw() && lMeasured()) {
        // Switched off and on again, the native menu measures the item anew with its new text.
        setTypeBit(menu::kTypeOwnerDraw, false);
        writeNative();
        setTypeBit(menu::kTypeOwnerDraw, true);
        setMeasured(false);
    }
    writeNative();
    redrawBar();
    return {};
}

Value XMenuItem::SetState(rt::Args) {
    auto parent = menu();
    const intptr_t handle = parent ? parent->Handle() : 0;
    menu::MenuPort& port = menu::menuPort();
    int64_t state = lEnabled() ? 0 : menu::kStateGrayed;
    port.enable(handle, nId(), lEnabled());
    const bool checked = field(kChecked).asLogical();
    if (checked) state |= menu::kStateChecked;
    port.check(handle, nId(), checked);
    if (field(kHiLited).asLogical()) state |= menu::kStateHilited;
    port.hilite(static_cast<intptr_t>(GetFormHandle({}).asInteger()), handle, nId(), field(kHiLited).asLogical());
    if (lDefault()) port.setDefault(handle, nId());
    field(kState) = number(state);
    if (parent && !parent->lPopup() && parent->oParent()) redrawBar();
    return number(state);
}

Value XMenuItem::GetState(rt::Args) {
    auto parent = menu();
    field(kState) = number(menu::menuPort().state(parent ? parent->Handle() : 0, nId()));
    return field(kState);
}

Value XMenuItem::RequestState(rt::Args) {
    if (!eventAssigned(*this, OnCheckState)) return {};
    const Value enabled = fireEvent(*this, OnCheckState);
    if (enabled.isLogical()) SetStateFlag(kEnabled, std::vector<Value>{enabled});
    return enabled;
}

Value XMenuItem::SetImage(rt::Args args) {
    field(kImage) = number(rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : 0);
    if (auto parent = menu()) parent->SetOwnerDraw({});
    SetInfo({});
    return field(kImage);
}

Value XMenuItem::AddImage(rt::Args args) {
    auto top = rt::objectAs<XMenu>(GetMainMenu({}));
    if (!top) return number(0);
    const Value index = top->AddImage(args);
    if (index.asInteger() > 0)
        if (auto parent = menu()) parent->SetOwnerDraw({});
    return index;
}

Value XMenuItem::GetFormHandle(rt::Args) {
    auto parent = menu();
    return parent ? parent->GetFormHandle({}) : number(0);
}

Value XMenuItem::SetTextProperty(rt::Args args) {
    field(kText) = rt::arg(args, 0).isString() ? rt::arg(args, 0) : Value("");
    SetInfo({});
    return field(kText);
}

Value XMenuItem::SetStateFlag(int position, rt::Args args) {
    field(position) = rt::arg(args, 0).asLogical();
    SetState({});
    return field(position);
}

Value XMenuItem::SetInfoFlag(int position, rt::Args args) {
    field(position) = rt::arg(args, 0).asLogical();
    SetInfo({});
    return field(position);
}

}  // namespace vorpex
