#include "framework/controls/menu/menu.h"

#include <algorithm>
#include <cstdlib>

#include "framework/controls/menu/menu_builder.h"
#include "framework/controls/menu/menu_functions.h"
#include "framework/controls/menu/menu_ids.h"
#include "framework/controls/menu/menu_item.h"
#include "framework/controls/menu/menu_port.h"
#include "framework/controls/menu/menu_xml.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/graphics/image_list/image_list.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"
#include "runtime/lib/date.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

// The pop-ups that have a native menu, for POPUP_REQUESTSTATE.
std::vector<std::weak_ptr<XMenu>>& livePopups() {
    static std::vector<std::weak_ptr<XMenu>> list;
    return list;
}

void forgetPopup(const XMenu* menu) {
    auto& list = livePopups();
    std::erase_if(list, [menu](const std::weak_ptr<XMenu>& w) {
        auto m = w.lock();
        return !m || m.get() == menu;
    });
}

// Whether the value is an object of the class with that public name or of a subclass of it.
bool isA(const Value& v, std::string_view className) {
    auto object = v.deref().asObject();
    const rt::Class* cls = rt::Class::byName(className);
    return object && cls && object->objectClass().isDerivedFrom(*cls);
}

Value newImageList(const Value& owner) {
    Value list = classCall(TImageList::classRecord());
    return rt::send(list, "Create", {owner});
}

}  // namespace

const rt::Class& XMenu::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XMenu;
        VPClass b("XMenu", &TWinObject::classRecord(), rt::factoryOf<XMenu>());
        kImageList = b.addProperty({.name = "oImageList", .type = "TImageList", .scope = Published,
                                    .setter = &X::SetImageList, .editor = "PE_ImageList"});
        kItems = b.addProperty(
            {.name = "aItems", .initial = Value::array(), .type = "A", .scope = Published, .editor = "PE_Menu"});
        kMessage = b.addProperty({.name = "cMessage", .initial = "", .type = "C", .scope = Published});
        kStyle = b.addProperty({.name = "nStyle", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetStyle,
                                .choices = choiceList({{"msDEFAULT", Value(0)}, {"msOFFICEXP", Value(1)},
                                                       {"msOFFICE2003", Value(2)}, {"msOFFICE2007", Value(3)},
                                                       {"msOFFICE2007EX", Value(4)}})});
        kBitmaps = b.addData("aBitmaps", Value::array(), "A", Exported);
        kPopup = b.addData("lPopup", false, "L", Exported);
        kOwnerDraw = b.addData("lOwnerDraw", false, "L", Exported);
        kMargin = b.addData("nMargin", 0, "N", Exported);
        kRMargin = b.addData("nRMargin", 0, "N", Exported);
        kMaxWidth = b.addData("nMaxWidth", 0, "N", Exported);
        kSeparators = b.addData("nSeparators", 0, "N", Exported);
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"SetMenu", &X::SetMenu},           {"AddItem", &X::AddItem},
            {"AddSeparator", &X::AddSeparator}, {"Append", &X::Insert},
            {"Insert", &X::Insert},             {"Delete", &X::Delete},
            {"DoAction", &X::DoAction},         {"FindItem", &X::FindItem},
            {"RequestState", &X::RequestState}, {"GetDefault", &X::GetDefault},
            {"DoDefault", &X::DoDefault},       {"AddImage", &X::AddImage},
            {"SetImageList", &X::SetImageList}, {"SetStyle", &X::SetStyle},
            {"SetOwnerDraw", &X::SetOwnerDraw}, {"GetFormHandle", &X::GetFormHandle},
            {"SaveXML", &X::SaveXML},
            // A menu file is written, never read; components of a menu are its items, kept in aItems.
            {"ReadXML", &X::Nothing},           {"InsertComponent", &X::Nothing},
            {"RemoveComponent", &X::Nothing}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        return b.create();
    }();
    return c;
}

const rt::Class& XPopupMenu::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("XPopupMenu", &TMenu::classRecord(), rt::factoryOf<XPopupMenu>());
        b.record().redeclareField(kPopup, Value(true), "L");
        return b.create();
    }();
    return c;
}

Value XPopupMenu::Create(rt::Args args) {
    return TMenu::Create(std::vector<Value>{rt::arg(args, 0), Value(true)});
}

std::shared_ptr<XMenu> XMenu::livePopup(intptr_t handle) {
    if (!handle) return nullptr;
    for (const auto& w : livePopups())
        if (auto m = w.lock(); m && m->Handle() == handle) return m;
    return nullptr;
}

std::vector<Value>& XMenu::itemList() {
    if (!field(kItems).isArray()) field(kItems) = Value::array();
    return field(kItems).asArray()->items;
}

std::vector<std::shared_ptr<XMenuItem>> XMenu::items() const {
    std::vector<std::shared_ptr<XMenuItem>> out;
    if (auto a = field(kItems).asArray())
        for (const Value& v : a->items)
            if (auto item = rt::objectAs<XMenuItem>(v)) out.push_back(item);
    return out;
}

menu::SharedLayout XMenu::layout() const {
    return {field(kMargin).asInteger(), field(kMaxWidth).asInteger(), field(kRMargin).asInteger()};
}

void XMenu::setLayout(const menu::SharedLayout& l) {
    field(kMargin) = number(l.margin);
    field(kRMargin) = number(l.rightMargin);
    field(kMaxWidth) = number(l.maxWidth);
}

Value XMenu::New(rt::Args args) {
    TWinObject::New(args);
    field(kImageList) = newImageList(selfValue());
    return selfValue();
}

Value XMenu::Create(rt::Args args) {
    Value parent = rt::arg(args, 0);
    if (parent.isNil()) parent = ownerValue();
    bool popup = rt::arg(args, 1).isLogical() ? rt::arg(args, 1).asLogical() : lPopup();
    itemList().clear();
    if (auto item = rt::objectAs<XMenuItem>(parent)) {
        field(kStyle) = number(item->nStyle());  // a submenu draws as its item does
        popup = true;
    } else if (!sendIfUnderstood(parent, "oMenu").isNil()) {
        popup = true;  // the owner already shows a bar
    }
    field(kPopup) = popup;
    TWinObject::Create(std::vector<Value>{parent});
    setHandle(menu::menuPort().create(popup));
    if (popup) {
        livePopups().push_back(std::static_pointer_cast<XMenu>(self()));
        if (isA(parent, "TFORM")) sendIfUnderstood(parent, "InsertComponent", {selfValue()});
    }
    return selfValue();
}

Value XMenu::Destroy(rt::Args args) {
    const Value list = field(kImageList);
    if (list.isObject() && rt::send(list, "oParent").sameAs(selfValue())) {
        rt::send(list, "End");
        field(kImageList) = Value();
    }
    const Value parent = ownerValue();
    if (Handle()) {
        forgetPopup(this);
        // The items first: each ends its own submenu, so that no native menu is destroyed twice.
        std::vector<Value> items = itemList();
        for (auto it = items.rbegin(); it != items.rend(); ++it) rt::send(*it, "End");
        menu::menuPort().destroy(Handle());
        setHandle(0);
        if (!lPopup() && !parent.isNil()) sendIfUnderstood(parent, "SetMenu");
    }
    if (isA(parent, "TFORM")) sendIfUnderstood(parent, "RemoveComponent", {selfValue()});
    return TWinObject::Destroy(args);
}

Value XMenu::SetMenu(rt::Args) { return sendIfUnderstood(ownerValue(), "SetMenu", {selfValue()}); }

Value XMenu::AddItem(rt::Args args) {
    const Value item = rt::send(classCall(TMenuItem::classRecord()), "Create",
                                {selfValue(), Value(-1), Value(), rt::arg(args, 0), Value(), rt::arg(args, 8), Value(),
                                 rt::arg(args, 2)});
    const std::pair<size_t, const char*> assignments[] = {{1, "_cMessage"}, {3, "_lChecked"},   {4, "_lHiLited"},
                                                          {5, "_lDefault"}, {6, "_lRight"}, {9, "_OnCheckState"}};
    for (const auto& [at, setter] : assignments)
        if (!rt::arg(args, at).isNil()) rt::send(item, setter, {rt::arg(args, at)});
    if (rt::arg(args, 7).isLogical()) rt::send(item, "_lEnabled", {Value(!rt::arg(args, 7).asLogical())});
    return item;
}

Value XMenu::AddSeparator(rt::Args args) {
    Value item = rt::send(classCall(TMenuItem::classRecord()), "New", {selfValue()});
    if (!rt::arg(args, 0).isNil()) rt::send(item, "_cMessage", {rt::arg(args, 0)});
    rt::send(item, "_lSeparator", {Value(true)});
    return rt::send(item, "Create");
}

bool XMenu::insertItem(const Value& itemValue, int64_t where, bool byPosition) {
    auto item = rt::objectAs<XMenuItem>(itemValue);
    if (!item) return false;
    std::vector<Value>& list = itemList();
    const int64_t count = static_cast<int64_t>(list.size());
    if (where == -1) {
        where = count;
        byPosition = true;
    }
    int64_t index = std::clamp<int64_t>(where, 0, count);
    if (!byPosition) {
        // Before the item with that command id, which must be one of this menu's own.
        auto at = std::find_if(list.begin(), list.end(), [where](const Value& v) {
            auto other = rt::objectAs<XMenuItem>(v);
            return other && other->nId() == where;
        });
        if (at == list.end()) return false;
        index = at - list.begin();
    }
    if (!menu::menuPort().insert(Handle(), where, byPosition, item->nativeRecord())) return false;
    list.insert(list.begin() + index, itemValue);
    if (item->isSeparator()) field(kSeparators) = number(field(kSeparators).asInteger() + 1);
    if (item->cText().find('\t') != std::string::npos && field(kRMargin).asInteger() < 1) field(kRMargin) = number(1);
    return true;
}

Value XMenu::Insert(rt::Args args) {
    const Value& where = rt::arg(args, 1);
    const Value& byPosition = rt::arg(args, 2);
    return Value(insertItem(rt::arg(args, 0), where.isNumber() ? where.asInteger() : -1,
                            byPosition.isLogical() ? byPosition.asLogical() : true));
}

void XMenu::forgetItem(const XMenuItem& item) {
    std::vector<Value>& list = itemList();
    auto at = std::find_if(list.begin(), list.end(), [&item](const Value& v) { return v.asObject().get() == &item; });
    if (at == list.end()) return;
    list.erase(at);
    if (item.isSeparator()) field(kSeparators) = number(std::max<int64_t>(0, field(kSeparators).asInteger() - 1));
}

Value XMenu::Delete(rt::Args args) {
    const int64_t position = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : 0;
    const int64_t count = static_cast<int64_t>(itemList().size());
    if (position < 1 || position > count) return Value(false);
    if (!menu::menuPort().remove(Handle(), position - 1, true)) return Value(false);
    const Value item = itemList()[position - 1];
    if (auto i = rt::objectAs<XMenuItem>(item)) forgetItem(*i);
    return Value(true);
}

Value XMenu::DoAction(rt::Args args) {
    const int64_t id = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : -1;
    for (const auto& item : items()) {
        if (auto sub = item->subMenu()) {
            if (sub->DoAction(args).asLogical()) return Value(true);
        } else if (item->nId() == id) {
            item->click(selfValue());
            return Value(true);
        }
    }
    return Value(false);
}

Value XMenu::findById(int64_t id) {
    for (const auto& item : items()) {
        if (item->nId() == id) return Value(rt::ObjectPtr(item));
        if (auto sub = item->subMenu())
            if (Value found = sub->findById(id); !found.isNil()) return found;
    }
    return {};
}

Value XMenu::findByPosition(int64_t position, intptr_t handle) {
    const auto list = items();
    if (Handle() == handle)
        return position < static_cast<int64_t>(list.size()) ? Value(rt::ObjectPtr(list[position])) : Value();
    for (const auto& item : list)
        if (auto sub = item->subMenu())
            if (Value found = sub->findByPosition(position, handle); !found.isNil()) return found;
    return {};
}

Value XMenu::findInMdiChildren(int64_t id) {
    const Value parent = ownerValue();
    if (sendIfUnderstood(parent, "nFormType").asInteger() != 1) return {};
    const Value forms = sendIfUnderstood(sendIfUnderstood(parent, "oMdiClient"), "aForms");
    if (!forms.isArray()) return {};
    for (const Value& child : forms.asArray()->items) {
        const Value found = sendIfUnderstood(sendIfUnderstood(child, "oMenu"), "FindItem", {number(id)});
        if (!found.isNil()) return found;
    }
    return {};
}

Value XMenu::FindItem(rt::Args args) {
    const int64_t id = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : -1;
    const intptr_t handle = static_cast<intptr_t>(rt::arg(args, 1).isNumber() ? rt::arg(args, 1).asInteger() : 0);
    if (id >= menu::MenuIds::kBase || handle == 0) {
        Value found = findById(id);
        return found.isNil() ? findInMdiChildren(id) : found;
    }
    return id >= 0 ? findByPosition(id, handle) : Value();
}

Value XMenu::RequestState(rt::Args) {
    for (const auto& item : items()) {
        item->RequestState({});
        if (auto sub = item->subMenu()) sub->RequestState({});
    }
    return {};
}

Value XMenu::GetDefault(rt::Args) {
    int64_t id = 0;
    for (const auto& item : items())
        if (item->lDefault()) id = item->nId();
    return number(id);
}

Value XMenu::DoDefault(rt::Args) {
    const Value id = GetDefault({});
    if (id.asInteger() > 0) return DoAction(std::vector<Value>{id});
    return Value(false);
}

Value XMenu::AddImage(rt::Args args) {
    if (!field(kImageList).isObject()) field(kImageList) = newImageList(selfValue());
    const Value& image = rt::arg(args, 0);
    const std::string name = rt::upper(image.isString() ? image.asString() : std::string());
    std::vector<Value>& names = field(kBitmaps).asArray()->items;
    for (size_t i = 0; i < names.size(); ++i)
        if (names[i].isString() && names[i].asString() == name) return number(static_cast<int64_t>(i) + 1);
    const Value index = rt::send(field(kImageList), "Add", {image});
    if (index.isNumber() && index.asInteger() > 0) names.push_back(Value(name));
    return index.isNumber() ? index : number(0);
}

Value XMenu::SetImageList(rt::Args args) {
    const Value& list = rt::arg(args, 0);
    if (list.isNil()) return list;
    if (field(kImageList).isObject() && !field(kImageList).sameAs(list)) rt::send(field(kImageList), "End");
    field(kImageList) = list;
    return list;
}

Value XMenu::SetStyle(rt::Args args) {
    const Value style = number(rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : 0);
    field(kStyle) = style;
    field(kMargin) = number(0);
    for (const auto& item : items()) {
        if (auto sub = item->subMenu()) sub->SetStyle(std::vector<Value>{style});
        else item->setStyle(style.asInteger());
    }
    SetOwnerDraw({});
    return style;
}

Value XMenu::SetOwnerDraw(rt::Args) {
    const auto list = items();
    const bool ownerDraw =
        nStyle() != 0 || std::any_of(list.begin(), list.end(), [](const auto& item) { return item->nImage() != 0; });
    field(kOwnerDraw) = ownerDraw;
    for (const auto& item : list) item->SetOwnerDraw(std::vector<Value>{Value(ownerDraw)});
    return Value(ownerDraw);
}

Value XMenu::GetFormHandle(rt::Args) {
    const Value parent = ownerValue();
    if (auto item = rt::objectAs<XMenuItem>(parent)) return item->GetFormHandle({});
    return number(handleOf(parent));
}

Value XMenu::SaveXML(rt::Args args) {
    const Value& file = rt::arg(args, 0);
    if (!file.isString()) return Value(false);
    std::vector<std::string> captions;
    for (const auto& item : items()) captions.push_back(item->cText());
    const char* user = std::getenv("USERNAME");
    const menu::XmlStamp stamp{rt::dtoc(rt::today()), rt::timeOfDay(), user ? user : ""};
    return Value(menu::writeMenuXmlFile(file.asString(), captions, stamp));
}

void registerMenus() {
    TMenu::classRecord();
    TMenuItem::classRecord();
    XPopupMenu::classRecord();
    rt::registerFunction("POPUP_REQUESTSTATE", [](rt::Args args) -> Value {
        menu::menuPort().arrowCursor();
        const Value& handle = rt::arg(args, 0);
        auto popup = XMenu::livePopup(static_cast<intptr_t>(handle.isNumber() ? handle.asInteger() : 0));
        if (!popup) return {};
        popup->RequestState({});
        return Value(rt::ObjectPtr(popup));
    });
    menu::registerMenuBuilders();
    menu::registerMenuFunctions();
}

}  // namespace vorpex
