#include "framework/controls/edit/edit.h"

#include <windows.h>

#include <vector>

#include "framework/controls/control_rules.h"
#include "framework/controls/painters/std_painters.h"
#include "framework/core/native/win_window.h"
#include "framework/core/object/typed_method.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace stdctl;

namespace {

using native::number;
using win::toHwnd;

bool& sharedInsertMode() {
    static bool insert = true;
    return insert;
}

XEdit& edit(rt::Object& o) { return static_cast<XEdit&>(o); }

}  // namespace

bool XEdit::insertMode() { return sharedInsertMode(); }
void XEdit::setInsertMode(bool on) { sharedInsertMode() = on; }

intptr_t XEdit::send(unsigned message, uintptr_t wParam, intptr_t lParam) const {
    if (!windowExists()) return 0;
    return SendMessageA(toHwnd(Handle()), message, wParam, lParam);
}

std::string XEdit::windowText() const { return win::windowText(toHwnd(Handle())); }

const rt::Class& XEdit::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XEdit;
        VPClass b("XEdit", &TStdControl::classRecord(), rt::factoryOf<XEdit>());
        kValue = b.addProperty({.name = "Value", .scope = Published, .getter = &X::GetValue, .setter = &X::SetValue,
                                .editor = "PE_ExtendedString"});
        b.addProperty({.name = "nWidth", .initial = 90, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 20, .scope = Published});
        b.addProperty({.name = "lBorder", .initial = true, .scope = Published});
        // The system colours are read once, when the class is built.
        const Value window = number(GetSysColor(COLOR_WINDOW)), text = number(GetSysColor(COLOR_WINDOWTEXT));
        const Value shadow = number(GetSysColor(COLOR_3DDKSHADOW));
        b.addProperty({.name = "nClrPane", .initial = window, .scope = Published});
        // Each colour's setter re-makes its pair's brush with the other colour of the pair kept.
        auto colorSetter = [](bool focus, bool isText) {
            return rt::NativeMethod([focus, isText](rt::Object& o, const rt::Method&, rt::Args a) {
                XEdit& e = edit(o);
                const Value& text = isText ? rt::arg(a, 0) : e.field(focus ? kClrTextFocus : kClrTextDisabled);
                const Value& pane = isText ? e.field(focus ? kClrPaneFocus : kClrPaneDisabled) : rt::arg(a, 0);
                rt::send(e, focus ? "SetColorFocus" : "SetColorDisabled", {text, pane});
                return rt::arg(a, 0);
            });
        };
        kClrPaneFocus = b.addProperty({.name = "nClrPaneFocus", .initial = window, .type = "N", .scope = Published,
                                       .setter = colorSetter(true, false),
                                       .editor = "PE_Color"});
        kClrTextFocus = b.addProperty({.name = "nClrTextFocus", .initial = text, .type = "N", .scope = Published,
                                       .setter = colorSetter(true, true),
                                       .editor = "PE_Color"});
        kClrPaneDisabled =
            b.addProperty({.name = "nClrPaneDisabled", .initial = window, .type = "N", .scope = Published,
                           .setter = colorSetter(false, false),
                           .editor = "PE_Color"});
        kClrTextDisabled =
            b.addProperty({.name = "nClrTextDisabled", .initial = shadow, .type = "N", .scope = Published,
                           .setter = colorSetter(false, true),
                           .editor = "PE_Color"});
        kAlignment = b.addProperty({.name = "nAlignment", .initial = 0, .type = "N", .scope = Published,
                                    .setter = &X::SetAlignment,
                                    .choices = choiceList({{"taLEFT", 0}, {"taCENTER", 6}, {"taRIGHT", 2}})});
        kReadOnly = b.addProperty(
            {.name = "lReadOnly", .initial = false, .type = "L", .scope = Published, .setter = &X::SetReadOnly});
        kHScroll = b.addProperty(
            {.name = "lHScroll", .initial = true, .type = "L", .scope = Published, .setter = "SetHScroll"});
        kPassword = b.addProperty(
            {.name = "lPassword", .initial = false, .type = "L", .scope = Published, .setter = &X::SetPassword});
        kNumeric = b.addProperty(
            {.name = "lNumeric", .initial = false, .type = "L", .scope = Published, .setter = &X::SetNumeric});
        kCharCase = b.addProperty({.name = "nCharCase", .initial = 0, .type = "N", .scope = Published,
                                   .setter = &X::SetCharCase,
                                   .choices = choiceList({{"ecNONE", 0}, {"ecUPPERCASE", 1}, {"ecLOWERCASE", 2}})});
        kPasswordChar = b.addProperty({.name = "cPasswordChar", .initial = "*", .type = "C", .scope = Published,
                                       .getter = &X::GetPasswordChar, .setter = &X::SetPasswordChar});
        kMaxLength = b.addProperty({.name = "nMaxLength", .initial = 0, .type = "N", .scope = Published,
                                    .getter = &X::GetMaxLength, .setter = &X::SetMaxLength});
        kAutoSelect = b.addProperty(
            {.name = "lAutoSelect", .type = "L", .scope = Published,
             .choices = choiceList({{"asDONTCARE", Value()}, {"asSELECTALL", true}, {"asSELECTNONE", false}})});
        b.addEvent("OnChange", Published, "oSender");
        b.record().redeclareField(kWinClassName, Value("EDIT"), "C");
        kOnEntering = b.addData("lOnEntering", false, "L", Protected);
        kStopEvent = b.addData("lStopEvent", false, "L", Protected);
        kOriginal = b.addData("Original", Value(), "", Exported | ReadOnly);
        b.addProperty({.name = "cText", .scope = Exported, .setter = &X::SetValue});
        b.addProperty({.name = "lModify", .initial = false, .type = "L", .getter = "GetModify", .setter = "SetModify"});
        kBrushFocus = b.addData("oBrushFocus", Value(), "O");
        kBrushDisabled = b.addData("oBrushDisabled", Value(), "O");
        b.addMethod("lInsert", [](rt::Object&, const rt::Method&, rt::Args) { return Value(insertMode()); });
        b.addMethod("_lInsert", [](rt::Object&, const rt::Method&, rt::Args a) {
            setInsertMode(rt::arg(a, 0).asLogical());
            return Value(insertMode());
        });

        addMembers<XEdit>(b);
        b.addMethod("SelectAll", typedMethod<XEdit>([](XEdit& e, rt::Args) { return e.SetSel(std::vector<Value>{0, -1}); }));
        b.addMethod("SelectNone", typedMethod<XEdit>([](XEdit& e, rt::Args) { return e.SetSel(std::vector<Value>{-1, 0}); }));
        b.addMethod("EmptyUndoBuffer", typedMethod<XEdit>([](XEdit& e, rt::Args) { return Value(e.send(EM_EMPTYUNDOBUFFER)); }));
        b.addMethod("CanUndo", typedMethod<XEdit>([](XEdit& e, rt::Args) { return Value(e.send(EM_CANUNDO) != 0); }));
        auto canCopy = [](XEdit& e) {
            Value sel = e.GetSel({});
            return sel.asArray()->at1(1).asInteger() != sel.asArray()->at1(2).asInteger();
        };
        b.addMethod("CanCopy", typedMethod<XEdit>([canCopy](XEdit& e, rt::Args) { return Value(canCopy(e)); }));
        b.addMethod("CanCut", typedMethod<XEdit>([canCopy](XEdit& e, rt::Args) {
            return Value(!e.field(kReadOnly).asLogical() && canCopy(e));
        }));
        b.addMethod("CanPaste", typedMethod<XEdit>([](XEdit& e, rt::Args) { return Value(!e.field(kReadOnly).asLogical()); }));
        b.addMethod("ScrollCaret", typedMethod<XEdit>([](XEdit& e, rt::Args) { return Value(e.send(EM_SCROLLCARET)); }));
        b.addMethod("GetModify", typedMethod<XEdit>([](XEdit& e, rt::Args) { return Value(e.send(EM_GETMODIFY) != 0); }));
        b.addMethod("SetModify", typedMethod<XEdit>([](XEdit& e, rt::Args a) {
            e.send(EM_SETMODIFY, rt::arg(a, 0).asLogical());
            return rt::arg(a, 0);
        }));
        b.addMethod("GetMargins", typedMethod<XEdit>([](XEdit& e, rt::Args) {
            const intptr_t m = e.send(EM_GETMARGINS);
            return Value::array({number(LOWORD(m)), number(HIWORD(m))});
        }));
        b.addMethod("SetMargins", typedMethod<XEdit>([](XEdit& e, rt::Args a) {
            const WPARAM flags = rt::arg(a, 2).asLogical() ? EC_USEFONTINFO : (EC_LEFTMARGIN | EC_RIGHTMARGIN);
            return Value(e.send(EM_SETMARGINS, flags, MAKELONG(rt::arg(a, 0).asInt(), rt::arg(a, 1).asInt())));
        }));
        b.addMethod("LineScroll", typedMethod<XEdit>([](XEdit& e, rt::Args a) {
            return Value(e.send(EM_LINESCROLL, static_cast<WPARAM>(rt::arg(a, 0).asInteger()), rt::arg(a, 1).asInteger()));
        }));
        b.addMethod("PosFromChar", typedMethod<XEdit>([](XEdit& e, rt::Args a) {
            const intptr_t p = e.send(EM_POSFROMCHAR, static_cast<WPARAM>(rt::arg(a, 0).asInteger()));
            return Value::array({number(static_cast<int16_t>(LOWORD(p))), number(static_cast<int16_t>(HIWORD(p)))});
        }));
        b.addMethod("CharFromPos", typedMethod<XEdit>([](XEdit& e, rt::Args a) {
            const intptr_t p = e.send(EM_CHARFROMPOS, 0, MAKELONG(rt::arg(a, 0).asInt(), rt::arg(a, 1).asInt()));
            return Value::array({number(LOWORD(p)), number(HIWORD(p))});
        }));
        b.addMethod("nPos", typedMethod<XEdit>([](XEdit& e, rt::Args) {
            return number(e.GetSel({}).asArray()->at1(1).asInteger() + 1);
        }));
        b.addMethod("GotFocus", typedMethod<XEdit>([](XEdit& e, rt::Args) {
            e.field(kOriginal) = e.XEdit::GetValue({});
            return Value();
        }));
        b.addMethod("WMPaint", XEDIT_WMPAINT);
        return b.create();
    }();
    return c;
}

Value XEdit::Create(rt::Args args) {
    // Stored NIL means "off" here: classes that hide a style (the masked edit's lPassword) keep it NIL.
    rt::send(*this, "SetReadOnly", {Value(storedFlag(field(kReadOnly)))});
    rt::send(*this, "SetHScroll", {Value(storedFlag(field(kHScroll)))});
    rt::send(*this, "SetPassword", {Value(storedFlag(field(kPassword)))});
    SetColorFocus(std::vector<Value>{field(kClrTextFocus), field(kClrPaneFocus)});
    SetColorDisabled(std::vector<Value>{field(kClrTextDisabled), field(kClrPaneDisabled)});
    Value self = TStdControl::Create(args);
    SetMaxLength(std::vector<Value>{field(kMaxLength)});
    const Value& c = field(kPasswordChar);
    if (storedFlag(field(kPassword)) && c.isString() && c.asString() != "*") SetPasswordChar(std::vector<Value>{c});
    return self;
}

Value XEdit::Free(rt::Args args) {
    for (int position : {kBrushFocus, kBrushDisabled}) {
        const Value brush = field(position);
        field(position) = Value();
        sendIfUnderstood(brush, "End");
    }
    return TStdControl::Free(args);
}

Value XEdit::Change(rt::Args) { return windowExists() ? fireEvent(*this, OnChange) : Value(); }

Value XEdit::GetValue(rt::Args) {
    if (windowExists()) field(kText) = Value(windowText());
    field(kValue) = field(kText);
    return field(kValue);
}

Value XEdit::SetValue(rt::Args args) {
    const bool raw = rt::arg(args, 1).asLogical();
    const Value text(editText(rt::arg(args, 0), raw));
    field(kValue) = text;
    field(kText) = text;
    if (windowExists() && windowText() != text.asString()) {
        if (!raw) field(kStopEvent) = true;
        SetWindowTextA(toHwnd(Handle()), text.asString().c_str());
        // A single-line edit reported the change inside WM_SETTEXT; a multi-line one reports nothing. Either
        // way the next change is the user's.
        field(kStopEvent) = false;
    }
    return text;
}

Value XEdit::GetSel(rt::Args args) {
    DWORD start = 0, end = 0;
    send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (args.size() > 0 && args[0].isReference()) args[0].assign(number(start));
    if (args.size() > 1 && args[1].isReference()) args[1].assign(number(end));
    return Value::array({number(start), number(end)});
}

Value XEdit::SetSel(rt::Args args) {
    const int64_t start = rt::arg(args, 0).asInteger(), end = rt::arg(args, 1).asInteger();
    if (start == -1 && end == -1)
        send(EM_SETSEL, 0, -1);
    else
        send(EM_SETSEL, static_cast<WPARAM>(start), end);
    Refresh({});
    return Value(0);
}

Value XEdit::GetSelText(rt::Args) {
    // What the user typed since the last read counts: the window's text, not the stored one.
    const std::string text = XEdit::GetValue({}).asString();
    auto sel = GetSel({}).asArray();
    const int64_t start = sel->at1(1).asInteger(), end = sel->at1(2).asInteger();
    if (end <= start || start >= static_cast<int64_t>(text.size())) return Value("");
    return Value(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

Value XEdit::GetMaxLength(rt::Args) {
    const int64_t stored = field(kMaxLength).asInteger();
    return number(maxLengthAnswer(stored, windowExists(), windowExists() ? send(EM_GETLIMITTEXT) : 0));
}

Value XEdit::SetMaxLength(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    field(kMaxLength) = number(n);
    send(EM_LIMITTEXT, static_cast<WPARAM>(n));
    return number(n);
}

Value XEdit::GetPasswordChar(rt::Args) {
    const intptr_t code = send(EM_GETPASSWORDCHAR);
    if (code > 0) field(kPasswordChar) = Value(std::string(1, static_cast<char>(code)));
    return field(kPasswordChar);
}

Value XEdit::SetPasswordChar(rt::Args args) {
    const Value& c = rt::arg(args, 0);
    if (field(kPassword).asLogical() && c.isString() && !c.asString().empty()) {
        field(kPasswordChar) = c;
        send(EM_SETPASSWORDCHAR, static_cast<unsigned char>(c.asString()[0]));
        Refresh(std::vector<Value>{true});
    }
    return c;
}

Value XEdit::setFlagStyle(int position, const Value& argument, int64_t bit) {
    const bool on = setterFlag(argument);
    field(position) = on;
    rt::send(*this, "ChangeCtlStyle", {number(bit), Value(on)});
    return Value(on);
}

Value XEdit::SetReadOnly(rt::Args args) {
    const bool on = setterFlag(rt::arg(args, 0));
    field(kReadOnly) = on;
    if (windowExists())
        send(EM_SETREADONLY, on);
    else
        setCtlStyle(ctl::changeBits(nCtlStyle(), ES_READONLY, on));
    return Value(on);
}

Value XEdit::SetHScroll(rt::Args args) { return setFlagStyle(kHScroll, rt::arg(args, 0), ES_AUTOHSCROLL); }

Value XEdit::SetPassword(rt::Args args) {
    Value on = setFlagStyle(kPassword, rt::arg(args, 0), ES_PASSWORD);
    if (windowExists()) {
        const std::string c = field(kPasswordChar).asString();
        send(EM_SETPASSWORDCHAR, on.asLogical() && !c.empty() ? static_cast<unsigned char>(c[0]) : 0);
    }
    return on;
}

Value XEdit::SetNumeric(rt::Args args) { return setFlagStyle(kNumeric, rt::arg(args, 0), ES_NUMBER); }

Value XEdit::SetAlignment(rt::Args args) {
    const std::optional<int64_t> style = editAlignmentStyle(nCtlStyle(), rt::arg(args, 0));
    if (!style) return field(kAlignment);
    field(kAlignment) = number(rt::arg(args, 0).isNil() ? 0 : rt::arg(args, 0).asInteger());
    setCtlStyle(*style);
    applyStyles();
    return field(kAlignment);
}

Value XEdit::SetCharCase(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    field(kCharCase) = number(n);
    int64_t style = ctl::changeBits(nCtlStyle(), ES_UPPERCASE | ES_LOWERCASE, false);
    if (n == 1) style |= ES_UPPERCASE;
    if (n == 2) style |= ES_LOWERCASE;
    setCtlStyle(style);
    applyStyles();
    return {};
}

Value XEdit::SetColorPair(int textPosition, int panePosition, int brushPosition, rt::Args args) {
    const Value old = field(brushPosition);
    field(brushPosition) = Value();
    sendIfUnderstood(old, "End");
    if (!rt::arg(args, 0).isNil()) field(textPosition) = rt::arg(args, 0);
    if (!rt::arg(args, 1).isNil()) field(panePosition) = rt::arg(args, 1);
    if (!field(panePosition).isNil())
        field(brushPosition) = createByClassName("TBrush", "Create", {Value(), field(panePosition)});
    Refresh({});
    return {};
}

Value XEdit::SetColorFocus(rt::Args args) { return SetColorPair(kClrTextFocus, kClrPaneFocus, kBrushFocus, args); }
Value XEdit::SetColorDisabled(rt::Args args) {
    return SetColorPair(kClrTextDisabled, kClrPaneDisabled, kBrushDisabled, args);
}

Value XEdit::Command(rt::Args args) {
    HWND h = toHwnd(Handle());
    switch (rt::arg(args, 0).asInteger()) {
        case EN_CHANGE:
            if (field(kStopEvent).asLogical()) {
                field(kStopEvent) = false;
                return Value(0);
            }
            rt::send(*this, "Change");
            break;
        case EN_SETFOCUS: {
            RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            if (!insertMode()) showModeCaret();
            const Value& autoSelect = field(kAutoSelect);
            if (autoSelect.isLogical()) SetSel(autoSelect.asLogical() ? std::vector<Value>{0, -1} : std::vector<Value>{-1, 0});
            break;
        }
        case EN_KILLFOCUS: RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE); break;
        default: break;
    }
    return TStdControl::Command(args);
}

Value XEdit::GetCtlColor(rt::Args args) {
    int text = kClrText, pane = kClrPane, brush = kBrush;
    switch (colorSet(lEnabled(), lFocused())) {
        case ColorSet::Disabled: text = kClrTextDisabled, pane = kClrPaneDisabled, brush = kBrushDisabled; break;
        case ColorSet::Focused: text = kClrTextFocus, pane = kClrPaneFocus, brush = kBrushFocus; break;
        case ColorSet::Normal: break;
    }
    const intptr_t handle = handleOf(field(brush));
    if (!handle) return TStdControl::GetCtlColor(args);
    HDC dc = reinterpret_cast<HDC>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    SetBkColor(dc, static_cast<COLORREF>(field(pane).asInteger()));
    ::SetTextColor(dc, static_cast<COLORREF>(field(text).asInteger()));
    return number(handle);
}

void XEdit::showModeCaret() {
    HWND h = toHwnd(Handle());
    if (!h || GetFocus() != h) return;
    const TEXTMETRICA tm = win::windowFontMetrics(h);
    CreateCaret(h, nullptr, insertMode() ? 0 : tm.tmAveCharWidth, tm.tmAscent);
    ShowCaret(h);
}

Value XEdit::WMKeyDown(rt::Args args) {
    if (rt::arg(args, 0).asInteger() == VK_INSERT && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0) {
        setInsertMode(!insertMode());
        showModeCaret();
        return {};  // the window still sees the key
    }
    return TStdControl::WMKeyDown(args);
}

Value XEdit::WMChar(rt::Args args) {
    // Overwrite mode is decided on the character itself, so dead keys compose as usual and a line break is
    // never split.
    if (!insertMode() && windowExists()) {
        auto sel = GetSel({}).asArray();
        const Selection current{sel->at1(1).asInteger(), sel->at1(2).asInteger()};
        if (auto replace = overwriteSelection(windowText(), current, rt::arg(args, 0).asInteger() & 0xFF))
            send(EM_SETSEL, static_cast<WPARAM>(replace->start), replace->end);
    }
    return TStdControl::WMChar(args);
}

Value XEdit::WMSetFocus(rt::Args args) {
    const bool entering = field(kOnEntering).asLogical();
    if (entering) PostMessageA(toHwnd(Handle()), WM_LBUTTONUP, 0, 0);
    field(kOnEntering) = true;
    TStdControl::WMSetFocus(args);
    field(kOnEntering) = entering;
    return Value(0);
}

}  // namespace vorpex
