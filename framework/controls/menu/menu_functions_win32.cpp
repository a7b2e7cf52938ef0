// The native menu functions: one USER32 call each. Handles travel as numbers; a wrong argument gives the
// neutral result (0 or false), as every callable native function does.
#include <windows.h>

#include "framework/controls/menu/menu_functions.h"
#include "framework/controls/menu/menu_port.h"
#include "framework/core/native/geometry.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/win_casts.h"

namespace vorpex::menu {

namespace {

using namespace native;

HMENU menuArg(Args a, size_t i) { return reinterpret_cast<HMENU>(handleArg(a, i)); }
HWND windowArg(Args a, size_t i) { return reinterpret_cast<HWND>(handleArg(a, i)); }
UINT uintArg(Args a, size_t i, int64_t fallback = 0) { return static_cast<UINT>(intArg(a, i, fallback)); }
using native::number;
using win::handleValue;

// (hMenu, nItem, lByPosition, nType, nState, nId, hSubMenu, hBmpChecked, hBmpUnchecked, cText)
NativeItem itemArgs(Args a) {
    return {intArg(a, 3), intArg(a, 4), intArg(a, 5), handleArg(a, 6), handleArg(a, 7), handleArg(a, 8), textOr(a, 9)};
}

Value setMenuInfo(HMENU menu, MENUINFO& info) {
    info.cbSize = sizeof info;
    return Value(IsMenu(menu) && SetMenuInfo(menu, &info));
}

Value track(Args a, bool extended) {
    HMENU menu = menuArg(a, 0);
    HWND window = windowArg(a, 4);
    if (!IsMenu(menu) || !IsWindow(window)) return number(0);
    const UINT flags = uintArg(a, 1);
    const int x = static_cast<int>(intArg(a, 2)), y = static_cast<int>(intArg(a, 3));
    if (!extended) return number(TrackPopupMenu(menu, flags, x, y, 0, window, nullptr));
    TPMPARAMS params{sizeof params, {}};
    const auto exclude = rectFrom(rt::arg(a, 5));
    if (exclude) {
        params.rcExclude = {static_cast<LONG>(exclude->left), static_cast<LONG>(exclude->top),
                            static_cast<LONG>(exclude->right), static_cast<LONG>(exclude->bottom)};
    }
    return number(TrackPopupMenuEx(menu, flags, x, y, window, exclude ? &params : nullptr));
}

}  // namespace

void registerMenuFunctions() {
    registerCallable("CREATEMENU", [](Args) { return handleValue(CreateMenu()); });
    registerCallable("CREATEPOPUPMENU", [](Args) { return handleValue(CreatePopupMenu()); });
    registerCallable("DESTROYMENU", [](Args a) { return Value(IsMenu(menuArg(a, 0)) && DestroyMenu(menuArg(a, 0))); });
    registerCallable("INSERTMENUITEM", [](Args a) {
        return Value(menuPort().insert(handleArg(a, 0), intArg(a, 1), logicalArg(a, 2), itemArgs(a)));
    });
    registerCallable("SETMENUITEMINFO", [](Args a) {
        return Value(menuPort().update(handleArg(a, 0), intArg(a, 1), logicalArg(a, 2), itemArgs(a)));
    });
    registerCallable("SETMENUINFO", [](Args a) {
        MENUINFO info{};
        if (isNumberArg(a, 1)) info.fMask |= MIM_STYLE, info.dwStyle = uintArg(a, 1);
        if (isNumberArg(a, 2)) info.fMask |= MIM_BACKGROUND, info.hbrBack = reinterpret_cast<HBRUSH>(handleArg(a, 2));
        if (isNumberArg(a, 3)) info.fMask |= MIM_MENUDATA, info.dwMenuData = static_cast<ULONG_PTR>(intArg(a, 3));
        return setMenuInfo(menuArg(a, 0), info);
    });
    registerCallable("SETMENUHEIGHT", [](Args a) {
        MENUINFO info{};
        info.fMask = MIM_MAXHEIGHT;
        info.cyMax = uintArg(a, 1);
        return setMenuInfo(menuArg(a, 0), info);
    });
    registerCallable("SETMENU", [](Args a) {
        HWND window = windowArg(a, 0);
        if (!IsWindow(window)) return Value(false);
        const bool ok = SetMenu(window, menuArg(a, 1));
        DrawMenuBar(window);
        return Value(ok);
    });
    registerCallable("DRAWMENUBAR", [](Args a) { return Value(IsWindow(windowArg(a, 0)) && DrawMenuBar(windowArg(a, 0))); });
    registerCallable("GETMENU", [](Args a) { return handleValue(IsWindow(windowArg(a, 0)) ? GetMenu(windowArg(a, 0)) : nullptr); });
    registerCallable("GETSYSTEMMENU", [](Args a) {
        return handleValue(IsWindow(windowArg(a, 0)) ? GetSystemMenu(windowArg(a, 0), logicalArg(a, 1)) : nullptr);
    });
    registerCallable("ISMENU", [](Args a) { return Value(IsMenu(menuArg(a, 0)) != FALSE); });
    registerCallable("GETSUBMENU", [](Args a) {
        return handleValue(IsMenu(menuArg(a, 0)) ? GetSubMenu(menuArg(a, 0), static_cast<int>(intArg(a, 1))) : nullptr);
    });
    registerCallable("GETMENUITEMID", [](Args a) {
        return number(IsMenu(menuArg(a, 0)) ? static_cast<int>(GetMenuItemID(menuArg(a, 0), static_cast<int>(intArg(a, 1)))) : -1);
    });
    registerCallable("GETMENUITEMCOUNT", [](Args a) {
        return number(IsMenu(menuArg(a, 0)) ? GetMenuItemCount(menuArg(a, 0)) : -1);
    });
    registerCallable("ENDMENU", [](Args) { return Value(EndMenu() != FALSE); });
    registerCallable("LOADMENU", [](Args a) {
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(handleArg(a, 0));
        if (!instance) instance = GetModuleHandleA(nullptr);
        if (isTextArg(a, 1)) return handleValue(LoadMenuA(instance, textArg(a, 1)->c_str()));
        if (isNumberArg(a, 1)) return handleValue(LoadMenuA(instance, MAKEINTRESOURCEA(intArg(a, 1))));
        return handleValue(nullptr);
    });
    registerCallable("DELETEMENU", [](Args a) {
        return Value(IsMenu(menuArg(a, 0)) && DeleteMenu(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2)));
    });
    registerCallable("REMOVEMENU", [](Args a) {
        return Value(IsMenu(menuArg(a, 0)) && RemoveMenu(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2)));
    });
    registerCallable("APPENDMENU", [](Args a) {
        const std::string text = textOr(a, 3);
        return Value(IsMenu(menuArg(a, 0)) &&
                     AppendMenuA(menuArg(a, 0), uintArg(a, 1), static_cast<UINT_PTR>(intArg(a, 2)), text.c_str()));
    });
    registerCallable("INSERTMENU", [](Args a) {
        const std::string text = textOr(a, 4);
        return Value(IsMenu(menuArg(a, 0)) && InsertMenuA(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2),
                                                          static_cast<UINT_PTR>(intArg(a, 3)), text.c_str()));
    });
    registerCallable("GETMENUSTATE", [](Args a) {
        if (!IsMenu(menuArg(a, 0))) return number(-1);
        return number(static_cast<int>(GetMenuState(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2, MF_BYCOMMAND))));
    });
    registerCallable("ENABLEMENUITEM", [](Args a) {
        if (!IsMenu(menuArg(a, 0))) return number(-1);
        return number(EnableMenuItem(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2)));
    });
    registerCallable("CHECKMENUITEM", [](Args a) {
        if (!IsMenu(menuArg(a, 0))) return number(-1);
        return number(static_cast<int>(CheckMenuItem(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2))));
    });
    registerCallable("HILITEMENUITEM", [](Args a) {
        return Value(IsWindow(windowArg(a, 0)) && IsMenu(menuArg(a, 1)) &&
                     HiliteMenuItem(windowArg(a, 0), menuArg(a, 1), uintArg(a, 2), uintArg(a, 3)));
    });
    registerCallable("SETMENUDEFAULTITEM", [](Args a) {
        return Value(IsMenu(menuArg(a, 0)) && SetMenuDefaultItem(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2)));
    });
    registerCallable("CHECKMENURADIOITEM", [](Args a) {
        return Value(IsMenu(menuArg(a, 0)) &&
                     CheckMenuRadioItem(menuArg(a, 0), uintArg(a, 1), uintArg(a, 2), uintArg(a, 3), uintArg(a, 4)));
    });
    registerCallable("TRACKPOPUPMENU", [](Args a) { return track(a, false); });
    registerCallable("TRACKPOPUPMENUEX", [](Args a) { return track(a, true); });
}

}  // namespace vorpex::menu
