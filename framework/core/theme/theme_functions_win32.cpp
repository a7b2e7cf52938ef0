// The visual-style functions callable by name.
#include <optional>
#include <string>

#include "framework/core/native/casts.h"
#include "framework/core/native/native_args.h"
#include "framework/core/native/win_system.h"
#include "framework/core/theme/theme.h"

namespace vorpex::theme {

namespace {

using native::handleArg;
using native::registerCallable;
using rt::Args;
using rt::Value;

HWND windowArg(Args a, size_t i) { return reinterpret_cast<HWND>(handleArg(a, i)); }
using native::handleValue;

// A text argument in UTF-16; nothing for NIL (the entry then gets a null pointer).
std::optional<std::wstring> wideArg(Args a, size_t i) {
    const std::string* text = native::textArg(a, i);
    if (!text) return std::nullopt;
    return win::ansiToWide(*text).value_or(std::wstring());
}

const wchar_t* pointerOf(const std::optional<std::wstring>& w) { return w ? w->c_str() : nullptr; }

}  // namespace

void registerThemeFunctions() {
    registerCallable("OPENTHEMEDATA", [](Args a) -> Value {
        if (!isAppThemed()) return Value(0);
        HWND window = windowArg(a, 0);
        if (!window) return {};
        return handleValue(openThemeData(window, wideArg(a, 1).value_or(std::wstring())));
    });
    registerCallable("CLOSETHEMEDATA", [](Args a) -> Value {
        return Value(static_cast<long long>(closeThemeData(handleArg(a, 0))));
    });
    registerCallable("ISAPPTHEMED", [](Args) -> Value { return Value(isAppThemed()); });
    registerCallable("GETTHEMESYSCOLOR", [](Args a) -> Value {
        return Value(static_cast<long long>(getThemeSysColor(handleArg(a, 0), static_cast<int>(native::intArg(a, 1)))));
    });
    registerCallable("GETWINDOWTHEME", [](Args a) -> Value { return handleValue(getWindowTheme(windowArg(a, 0))); });
    registerCallable("SETWINDOWTHEME", [](Args a) -> Value {
        if (!isAppThemed()) return Value(0);
        const auto subApp = wideArg(a, 1);
        const auto idList = wideArg(a, 2);
        return Value(static_cast<long long>(setWindowTheme(windowArg(a, 0), pointerOf(subApp), pointerOf(idList))));
    });
    registerCallable("ISWINDOWTHEMED", [](Args a) -> Value {
        HWND window = windowArg(a, 0);
        return Value(window != nullptr && getWindowTheme(window) != 0);
    });
}

}  // namespace vorpex::theme
