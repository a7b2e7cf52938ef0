#include "framework/controls/menu/menu_builder.h"

#include <vector>

#include "framework/controls/menu/menu.h"
#include "framework/controls/menu/menu_item.h"
#include "framework/core/native/native_args.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/error.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::menu {

using rt::Value;

namespace {

std::vector<Value>& stack() {
    static std::vector<Value> menus;
    return menus;
}

Value newMenu(rt::Args args, size_t parentAt) {
    return rt::send(classCall(TMenu::classRecord()), "Create",
                    {rt::arg(args, parentAt), Value(native::logicalArg(args, parentAt + 1, false))});
}

// A submenu opens under the last item of the menu on top; with no item there, there is nothing to open it
// under, which is the caller's mistake.
Value submenuOfTop() {
    auto top = rt::objectAs<XMenu>(stack().back());
    const auto items = top ? top->items() : std::vector<std::shared_ptr<XMenuItem>>{};
    if (items.empty()) {
        rt::Error e;
        e.genCode = rt::eg::Arg;
        e.subSystem = "VORPEX";
        e.description = "A submenu needs an item to open it: the menu being built has none";
        e.operation = "VP_MENUBEGIN";
        e.canDefault = true;  // then no submenu is begun
        rt::raise(e);
        return {};
    }
    return items.back()->AddMenu({});
}

Value menuBegin(rt::Args args) {
    const Value menu = stack().empty() ? newMenu(args, 0) : submenuOfTop();
    if (menu.isNil()) return menu;
    stack().push_back(menu);
    rt::send(menu, "_cMessage", {Value(native::textOr(args, 2))});
    return menu;
}

Value menuAdd(rt::Args args) {
    if (rt::arg(args, 0).isObject()) {
        stack().push_back(rt::arg(args, 0));
    } else {
        const Value menu = newMenu(args, 1);
        stack().push_back(menu);
        rt::send(menu, "_cMessage", {Value(native::textOr(args, 3))});
    }
    return stack().back();
}

Value menuItem(rt::Args args) {
    if (stack().empty()) return {};
    const Value item = rt::send(classCall(TMenuItem::classRecord()), "Create",
                                {stack().back(), Value(-1), Value(), rt::arg(args, 0), Value(), rt::arg(args, 1),
                                 rt::arg(args, 2), rt::arg(args, 8)});
    // The sixth argument is not used.
    const std::pair<size_t, const char*> assignments[] = {{3, "_lEnabled"}, {4, "_lChecked"},     {6, "_lHiLited"},
                                                          {7, "_lDefault"}, {9, "_OnCheckState"}, {10, "_cMessage"}};
    for (const auto& [at, setter] : assignments)
        if (!rt::arg(args, at).isNil()) rt::send(item, setter, {rt::arg(args, at)});
    rt::send(item, "_lRight", {Value(native::logicalArg(args, 11, false))});
    return item;
}

Value menuSeparator(rt::Args args) {
    if (stack().empty()) return {};
    return rt::send(stack().back(), "AddSeparator", {rt::arg(args, 0)});
}

Value menuEnd(rt::Args) {
    if (stack().empty()) return {};
    const Value menu = stack().back();
    if (stack().size() == 1) {
        auto m = rt::objectAs<XMenu>(menu);
        if (m && !m->lPopup() && m->oParent()) sendIfUnderstood(m->ownerValue(), "SetMenu", {menu});
    }
    stack().pop_back();
    return {};
}

}  // namespace

MenuBuildScope::MenuBuildScope() : depth_(stack().size()) {}
MenuBuildScope::~MenuBuildScope() {
    if (stack().size() > depth_) stack().resize(depth_);
}

size_t menuBuildDepth() { return stack().size(); }

void registerMenuBuilders() {
    rt::registerFunction("VP_MENUBEGIN", menuBegin);
    rt::registerFunction("VP_MENUADD", menuAdd);
    rt::registerFunction("VP_MENUITEM", menuItem);
    rt::registerFunction("VP_MENUSEPARATOR", menuSeparator);
    rt::registerFunction("VP_MENUEND", menuEnd);
}

}  // namespace vorpex::menu
