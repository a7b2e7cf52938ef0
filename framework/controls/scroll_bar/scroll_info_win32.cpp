#include "framework/controls/scroll_bar/scroll_info.h"

#include <windows.h>

#include "framework/core/native/native_args.h"
#include "framework/core/native/win_casts.h"

namespace vorpex::sbar {

namespace {

using native::Args;
using native::Value;

using native::number;
using win::toHwnd;

bool validBar(int bar) { return bar == SB_HORZ || bar == SB_VERT || bar == SB_CTL; }

// The window and bar of a call, or nothing when either is not usable.
std::optional<std::pair<intptr_t, int>> target(Args args) {
    const intptr_t window = native::handleArg(args, 0);
    const int bar = static_cast<int>(native::intArg(args, 1, -1));
    if (!window || !IsWindow(toHwnd(window)) || !validBar(bar)) return std::nullopt;
    return std::pair{window, bar};
}

// SET*(hWnd, nBar, value..., lDisableNoScroll, lRedraw): the flags follow the values.
Value setWith(Args args, size_t flagsAt, ScrollParts parts) {
    const auto t = target(args);
    if (!t) return number(0);
    parts.disableNoScroll = native::logicalArg(args, flagsAt);
    parts.redraw = native::logicalArg(args, flagsAt + 1, true);
    return number(setScrollParts(t->first, t->second, parts));
}

template <typename F>
Value readWith(Args args, F read, Value neutral) {
    const auto t = target(args);
    if (!t) return neutral;
    const auto state = scrollState(t->first, t->second);
    return state ? read(*state) : neutral;
}

}  // namespace

int64_t setScrollParts(intptr_t window, int bar, const ScrollParts& parts) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    if (parts.min || parts.max) {
        si.fMask |= SIF_RANGE;
        si.nMin = static_cast<int>(parts.min.value_or(0));
        si.nMax = static_cast<int>(parts.max.value_or(0));
    }
    if (parts.page) {
        si.fMask |= SIF_PAGE;
        si.nPage = static_cast<UINT>(*parts.page);
    }
    if (parts.position) {
        si.fMask |= SIF_POS;
        si.nPos = static_cast<int>(*parts.position);
    }
    if (parts.disableNoScroll) si.fMask |= SIF_DISABLENOSCROLL;
    return SetScrollInfo(toHwnd(window), bar, &si, parts.redraw);
}

std::optional<scroll::BarState> scrollState(intptr_t window, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!GetScrollInfo(toHwnd(window), bar, &si)) return std::nullopt;
    return scroll::BarState{si.nPos, static_cast<int64_t>(si.nPage), si.nMin, si.nMax, si.nTrackPos};
}

void registerScrollFunctions() {
    native::registerCallable("SETSCROLLPOS", [](Args a) {
        return setWith(a, 3, ScrollParts::positionAt(native::intArg(a, 2), false));
    });
    native::registerCallable("SETSCROLLRANGE", [](Args a) {
        return setWith(a, 4, ScrollParts::range(native::intArg(a, 2), native::intArg(a, 3), false));
    });
    native::registerCallable("SETSCROLLPAGE", [](Args a) {
        return setWith(a, 3, ScrollParts::pageOf(native::intArg(a, 2), false));
    });
    native::registerCallable("SETSCROLLINFO", [](Args a) {
        ScrollParts parts;
        parts.min = native::optionalInt(a, 2);
        parts.max = native::optionalInt(a, 3);
        parts.page = native::optionalInt(a, 4);
        parts.position = native::optionalInt(a, 5);
        return setWith(a, 6, parts);
    });
    native::registerCallable("GETSCROLLPOS", [](Args a) {
        return readWith(a, [](const scroll::BarState& s) { return number(s.position); }, number(0));
    });
    native::registerCallable("GETSCROLLPAGE", [](Args a) {
        return readWith(a, [](const scroll::BarState& s) { return number(s.page); }, number(0));
    });
    native::registerCallable("GETSCROLLRANGE", [](Args a) {
        return readWith(a, [](const scroll::BarState& s) { return Value::array({number(s.min), number(s.max)}); },
                        Value::array());
    });
    native::registerCallable("GETSCROLLINFO", [](Args a) {
        return readWith(a,
                        [](const scroll::BarState& s) {
                            return Value::array({number(s.min), number(s.max), number(s.page), number(s.position),
                                                 number(s.track)});
                        },
                        Value::array());
    });
    native::registerCallable("SHOWSCROLLBAR", [](Args a) {
        const auto t = target(a);
        return Value(t && ShowScrollBar(toHwnd(t->first), t->second, native::logicalArg(a, 2)) != 0);
    });
    native::registerCallable("ENABLESCROLLBAR", [](Args a) {
        const auto t = target(a);
        return Value(t && EnableScrollBar(toHwnd(t->first), static_cast<UINT>(t->second),
                                          static_cast<UINT>(native::intArg(a, 2))) != 0);
    });
}

}  // namespace vorpex::sbar
