#include "framework/controls/edit/memo.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/controls/control_rules.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/typed_method.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

XMemo& memo(rt::Object& o) { return static_cast<XMemo&>(o); }

int64_t argOr(rt::Args a, size_t i, int64_t fallback) {
    const Value& v = rt::arg(a, i);
    return v.isNil() ? fallback : v.asInteger();
}

}  // namespace

const rt::Class& XMemo::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XMemo;
        VPClass b("XMemo", &TEdit::classRecord(), rt::factoryOf<XMemo>());
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 60, .scope = Published});
        b.addProperty({.name = "lHScroll", .scope = Published});
        b.record().redeclareField(kHScroll, Value(false), "L");
        auto flag = [](int& position, int64_t bit) {
            return rt::NativeMethod([&position, bit](rt::Object& o, const rt::Method&, rt::Args a) {
                return memo(o).setFlagStyle(position, rt::arg(a, 0), bit);
            });
        };
        kAutoHScroll = b.addProperty({.name = "lAutoHScroll", .initial = false, .type = "L", .scope = Published,
                                      .setter = "SetAutoHScroll"});
        kVScroll = b.addProperty(
            {.name = "lVScroll", .initial = true, .type = "L", .scope = Published, .setter = "SetVScroll"});
        kAutoVScroll = b.addProperty(
            {.name = "lAutoVScroll", .initial = true, .type = "L", .scope = Published, .setter = "SetAutoVScroll"});
        kWantReturn = b.addProperty({.name = "lWantReturn", .initial = true, .type = "L", .scope = Published,
                                     .setter = flag(kWantReturn, ES_WANTRETURN)});
        kWantTab = b.addProperty({.name = "lWantTab", .initial = false, .type = "L", .scope = Published});
        // Not offered on a memo; NIL keeps them off when the window is made.
        for (const char* hidden : {"lPassword", "lNumeric", "cPasswordChar"}) b.addProperty({.name = hidden, .scope = Protected});
        b.record().redeclareField(kPassword, Value(), "L");
        b.record().redeclareField(kNumeric, Value(), "L");
        b.record().redeclareField(kPasswordChar, Value(), "C");
        b.addProperty({.name = "cPicture", .initial = "", .type = "C", .scope = Protected});
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | ES_MULTILINE |
                                                    ES_WANTRETURN), "N");
        b.addProperty({.name = "nLineCount", .initial = 0, .type = "N", .readOnly = true, .getter = "GetLineCount"});
        kLine = b.addProperty({.name = "nLine", .initial = 0, .type = "N", .getter = &X::GetLineNumber,
                               .setter = &X::SetLineNumber});
        kColumn = b.addProperty({.name = "nColumn", .initial = 0, .type = "N", .getter = &X::GetColumnNumber,
                                 .setter = &X::SetColumnNumber});

        addMembers<XMemo>(b);
        b.addMethod("Replace", typedMethod<XMemo>([](XMemo& m, rt::Args a) {
            const std::string text = rt::arg(a, 0).asString();
            m.send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
            return rt::arg(a, 0);
        }));
        b.addMethod("Clear", typedMethod<XMemo>([](XMemo& m, rt::Args) { return rt::send(m, "_cText", {""}); }));
        b.addMethod("SetAutoHScroll", flag(kAutoHScroll, ES_AUTOHSCROLL));
        b.addMethod("SetVScroll", flag(kVScroll, WS_VSCROLL));
        b.addMethod("SetAutoVScroll", flag(kAutoVScroll, ES_AUTOVSCROLL));
        b.addMethod("GetLineCount", typedMethod<XMemo>([](XMemo& m, rt::Args) { return number(m.send(EM_GETLINECOUNT)); }));
        b.addMethod("GetFirstVisibleLine",
                    typedMethod<XMemo>([](XMemo& m, rt::Args) { return number(m.send(EM_GETFIRSTVISIBLELINE)); }));
        b.addMethod("GetThumb", typedMethod<XMemo>([](XMemo& m, rt::Args) { return number(m.send(EM_GETTHUMB)); }));
        auto scroll = [](XMemo& m, int64_t action) {
            const intptr_t answer = m.send(EM_SCROLL, static_cast<WPARAM>(action));
            return number(HIWORD(answer) == 1 ? LOWORD(answer) : answer);
        };
        b.addMethod("Scroll", typedMethod<XMemo>([scroll](XMemo& m, rt::Args a) { return scroll(m, rt::arg(a, 0).asInteger()); }));
        const char* scrolls[] = {"ScrollUp", "ScrollDown", "ScrollPageUp", "ScrollPageDown"};
        for (int action = 0; action < 4; ++action)
            b.addMethod(scrolls[action], typedMethod<XMemo>([scroll, action](XMemo& m, rt::Args) { return scroll(m, action); }));
        b.addMethod("LineFromChar", typedMethod<XMemo>([](XMemo& m, rt::Args a) {
            return number(m.send(EM_LINEFROMCHAR, static_cast<WPARAM>(argOr(a, 0, -1))));
        }));
        b.addMethod("LineIndex", typedMethod<XMemo>([](XMemo& m, rt::Args a) { return number(m.lineStart(argOr(a, 0, -1)) - 1); }));
        b.addMethod("WMEraseBkgnd", [](rt::Object&, const rt::Method&, rt::Args) { return Value(1); });
        return b.create();
    }();
    return c;
}

int64_t XMemo::lineStart(int64_t line) const { return send(EM_LINEINDEX, static_cast<WPARAM>(line)); }

Value XMemo::Create(rt::Args args) {
    rt::send(*this, "SetHScroll", {Value(stdctl::storedFlag(field(kHScroll)))});
    rt::send(*this, "SetAutoHScroll", {Value(stdctl::storedFlag(field(kAutoHScroll)))});
    rt::send(*this, "SetVScroll", {Value(stdctl::storedFlag(field(kVScroll)))});
    rt::send(*this, "SetAutoVScroll", {Value(stdctl::storedFlag(field(kAutoVScroll)))});
    return TEdit::Create(args);
}

Value XMemo::SetHScroll(rt::Args args) { return setFlagStyle(kHScroll, rt::arg(args, 0), WS_HSCROLL); }

Value XMemo::Append(rt::Args args) {
    const std::string text = rt::arg(args, 0).asString();
    send(EM_SETSEL, 0, -1);
    send(EM_SETSEL, static_cast<WPARAM>(-1), 0);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return rt::arg(args, 0);
}

Value XMemo::ReplaceLine(rt::Args args) {
    int64_t line = rt::arg(args, 0).asInteger();
    if (line < 0) line = send(EM_GETLINECOUNT);
    const intptr_t start = lineStart(line - 1);
    if (start < 0) return {};
    const intptr_t end = start + send(EM_LINELENGTH, static_cast<WPARAM>(start));
    const std::string text = rt::arg(args, 1).asString();
    send(EM_SETSEL, static_cast<WPARAM>(start), end);
    send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    return rt::arg(args, 1);
}

Value XMemo::GetLine(rt::Args args) {
    const int64_t line = rt::arg(args, 0).asInteger() - 1;
    const intptr_t start = lineStart(line);
    if (start < 0) return Value("");
    // The buffer fits the whole line: a long line is never cut short.
    const size_t length = static_cast<size_t>(send(EM_LINELENGTH, static_cast<WPARAM>(start)));
    std::vector<char> buffer(std::max<size_t>(length, sizeof(WORD)) + 1, '\0');
    const WORD capacity = static_cast<WORD>(std::min<size_t>(buffer.size() - 1, 0xFFFF));
    std::memcpy(buffer.data(), &capacity, sizeof capacity);
    const intptr_t copied = send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer.data()));
    return Value(std::string(buffer.data(), static_cast<size_t>(std::max<intptr_t>(copied, 0))));
}

Value XMemo::GetRect(rt::Args) {
    RECT r{};
    send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    // The order SetRect takes: GetRect's answer can be handed back unchanged.
    return Value::array({number(r.left), number(r.top), number(r.right), number(r.bottom)});
}

Value XMemo::SetRect(rt::Args args) {
    auto a = rt::arg(args, 0).asArray();
    if (!a) return {};
    RECT r{a->at1(1).asInt(), a->at1(2).asInt(), a->at1(3).asInt(), a->at1(4).asInt()};
    send(rt::arg(args, 1).asLogical() ? EM_SETRECTNP : EM_SETRECT, 0, reinterpret_cast<LPARAM>(&r));
    return {};
}

Value XMemo::SetTabStops(rt::Args args) {
    std::vector<INT> stops;
    if (rt::arg(args, 1).asLogical()) {
        stops.push_back(rt::arg(args, 0).asInt());
    } else if (auto list = rt::arg(args, 0).asArray()) {
        for (const Value& v : list->items) stops.push_back(v.deref().asInt());
    }
    if (stops.empty()) return Value(false);
    return Value(send(EM_SETTABSTOPS, stops.size(), reinterpret_cast<LPARAM>(stops.data())) != 0);
}

Value XMemo::GetLineNumber(rt::Args) {
    field(kLine) = number(send(EM_LINEFROMCHAR, static_cast<WPARAM>(-1)) + 1);
    return field(kLine);
}

Value XMemo::SetLineNumber(rt::Args args) {
    const intptr_t p = lineStart(rt::arg(args, 0).asInteger() - 1);
    if (p >= 0) {
        SetSel(std::vector<Value>{number(p), number(p)});
        send(EM_SCROLLCARET);
    }
    return GetLineNumber({});
}

Value XMemo::GetColumnNumber(rt::Args) {
    const int64_t end = GetSel({}).asArray()->at1(2).asInteger();
    field(kColumn) = number(end - (lineStart(-1) - 1));
    return field(kColumn);
}

Value XMemo::SetColumnNumber(rt::Args args) {
    const Value kept = GetSel({});
    const int64_t line = GetLineNumber({}).asInteger();
    const intptr_t start = lineStart(line - 1);
    const int64_t column = rt::arg(args, 0).asInteger();
    const int64_t length = send(EM_LINELENGTH, static_cast<WPARAM>(start));
    // A column past the line's end (or before its start) would land elsewhere: the caret stays.
    if (column >= 1 && column - 1 <= length) {
        const int64_t p = start + column - 1;
        SetSel(std::vector<Value>{number(p), number(p)});
        if (GetLineNumber({}).asInteger() != line) SetSel(std::vector<Value>{kept.asArray()->at1(1), kept.asArray()->at1(2)});
    }
    return GetColumnNumber({});
}

Value XMemo::WMKeyDown(rt::Args args) {
    if (rt::arg(args, 0).asInteger() == VK_RETURN && field(kWantReturn).asLogical()) return {};
    return XEdit::WMKeyDown(args);
}

Value XMemo::WMChar(rt::Args args) {
    const int64_t key = rt::arg(args, 0).asInteger();
    if (key == VK_RETURN && field(kWantReturn).asLogical()) return {};
    if (key == VK_TAB && !field(kWantTab).asLogical()) {
        rt::send(*this, GetKeyState(VK_SHIFT) < 0 ? "GoPrevControl" : "GoNextControl");
        return Value(0);
    }
    return XEdit::WMChar(args);
}

}  // namespace vorpex
