#include "framework/controls/list/combo_box.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/controls/list/list_control.h"
#include "framework/controls/painters/std_painters.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/typed_method.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;
using win::toHwnd;
using win::rectValue;

constexpr int64_t kDropDown = 0, kDropDownList = 1;
constexpr int kEditId = 1001;
constexpr UINT kSizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOSENDCHANGING;
constexpr UINT kMinVisibleSet = CBM_FIRST + 1, kMinVisibleGet = CBM_FIRST + 2;

// One flag for every combo box: the size a combo box sets itself is not handled again.
bool& resizing() {
    static bool flag = false;
    return flag;
}

std::string leftTrimmed(const Value& v) {
    std::string text = v.isString() ? v.asString() : std::string();
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

const rt::Class& XComboBox::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XComboBox;
        static const lists::ListTraits traits{&lists::kComboMessages, &kItems, &kIndex, &kSort,
                                              "Combobox item", "ComboBox item", true};
        VPClass b("XComboBox", &TStdControl::classRecord(), rt::factoryOf<XComboBox>());
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 100, .scope = Published});
        b.addProperty({.name = "nClrPane", .scope = Published});
        b.record().redeclareField(kClrPane, number(GetSysColor(COLOR_WINDOW)), "N");
        kItems = b.addProperty({.name = "aItems", .initial = Value::array(), .type = "A", .scope = Published,
                                .getter = "GetItems", .setter = "SetItems", .editor = "PE_StringList"});
        kIndex = b.addProperty({.name = "nIndex", .initial = 0, .type = "N", .scope = Published,
                                .getter = &X::GetIndex, .setter = &X::SetIndex});
        kComboText = b.addProperty({.name = "cText", .scope = Published, .getter = &X::GetText, .setter = &X::SetText});
        kExtendedUI = b.addProperty({.name = "lExtendedUI", .initial = false, .type = "L", .scope = Published,
                                     .getter = &X::GetExtendedUI, .setter = &X::SetExtendedUI});
        kDroppedWidth = b.addProperty({.name = "nDroppedWidth", .initial = 0, .type = "N", .scope = Published,
                                       .setter = &X::SetDroppedWidth});
        kDroppedHeight = b.addProperty({.name = "nDroppedHeight", .initial = 300, .type = "N", .scope = Published,
                                        .setter = &X::SetDroppedHeight});
        b.addProperty({.name = "nHorzExtent", .initial = 0, .type = "N", .scope = Published,
                       .getter = "GetHorzExtent", .setter = "SetHorzExtent"});
        kStyle = b.addProperty({.name = "nStyle", .initial = kDropDown, .type = "N", .scope = Published,
                                .setter = &X::SetStyle,
                                .choices = choiceList({{"csDROPDOWN", 0}, {"csDROPDOWNLIST", 1}})});
        kSort = b.addProperty({.name = "lSort", .initial = false, .type = "L", .scope = Published});
        kAutoHScroll = b.addProperty({.name = "lAutoHScroll", .initial = false, .type = "L", .scope = Published});
        kMaxLength = b.addProperty({.name = "nMaxLength", .initial = 0, .type = "N", .scope = Published,
                                    .getter = &X::GetMaxLength, .setter = &X::SetMaxLength});
        for (const char* e : {"OnDropDown", "OnCloseUp", "OnEditChange", "OnEditUpdate"}) b.addEvent(e, Published, "oSender");
        b.addEvent("OnChange", Published, "oSender, nIndex, nOldIndex");
        b.addEvent("OnDblClick", Published, "oSender");
        b.addProperty({.name = "l3D", .scope = Hidden});
        b.addProperty({.name = "lBorder", .scope = Hidden});
        b.record().redeclareField(k3D, Value(false), "L");
        b.record().redeclareField(kBorder, Value(false), "L");
        b.record().redeclareField(kWinClassName, Value("ComboBox"), "C");
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPSIBLINGS | WS_BORDER | WS_VSCROLL | CBS_DROPDOWN |
                                                    CBS_HASSTRINGS), "N");
        kEditField = b.addData("oEditField", Value(), "O", Protected);
        b.addProperty({.name = "nTopIndex", .initial = 1, .type = "N", .scope = Exported, .getter = "GetTopIndex",
                       .setter = "SetTopIndex"});
        b.addProperty({.name = "lDropped", .initial = false, .type = "L", .scope = Exported, .getter = "GetDropped",
                       .setter = "SetDropped"});
        b.addProperty({.name = "nEditSelStart", .initial = -1, .type = "N", .scope = Exported,
                       .getter = "GetEditSelStart", .setter = "SetEditSelStart"});
        b.addProperty({.name = "nEditSelEnd", .initial = -1, .type = "N", .scope = Exported,
                       .getter = "GetEditSelEnd", .setter = "SetEditSelEnd"});

        lists::addSharedListMethods(b, traits);
        addMembers<XComboBox>(b);
        b.addMethod("EditChange", typedMethod<XComboBox>([](XComboBox& c, rt::Args) { return fireEvent(c, OnEditChange); }));
        b.addMethod("GetEditSel", typedMethod<XComboBox>([](XComboBox& c, rt::Args) { return number(c.send(CB_GETEDITSEL)); }));
        b.addMethod("SetEditSel", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            return number(c.send(CB_SETEDITSEL, 0, MAKELPARAM(rt::arg(a, 0).asInteger(), rt::arg(a, 1).asInteger())));
        }));
        b.addMethod("GetEditSelStart", typedMethod<XComboBox>([](XComboBox& c, rt::Args) { return number(LOWORD(c.send(CB_GETEDITSEL))); }));
        b.addMethod("GetEditSelEnd", typedMethod<XComboBox>([](XComboBox& c, rt::Args) { return number(HIWORD(c.send(CB_GETEDITSEL))); }));
        b.addMethod("SetEditSelStart", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            c.send(CB_SETEDITSEL, 0, MAKELPARAM(rt::arg(a, 0).asInteger(), HIWORD(c.send(CB_GETEDITSEL))));
            return rt::arg(a, 0);
        }));
        b.addMethod("SetEditSelEnd", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            c.send(CB_SETEDITSEL, 0, MAKELPARAM(LOWORD(c.send(CB_GETEDITSEL)), rt::arg(a, 0).asInteger()));
            return rt::arg(a, 0);
        }));
        b.addMethod("GetItemData", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            return number(c.send(CB_GETITEMDATA, static_cast<intptr_t>(rt::arg(a, 0).asInteger() - 1)));
        }));
        b.addMethod("SetItemData", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            return number(c.send(CB_SETITEMDATA, static_cast<intptr_t>(rt::arg(a, 0).asInteger() - 1),
                                 static_cast<intptr_t>(rt::arg(a, 1).asInteger())));
        }));
        b.addMethod("SetDropped", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            const Value& on = rt::arg(a, 0);
            c.send(CB_SHOWDROPDOWN, on.isNil() || (on.isLogical() && on.asLogical()));
            return Value(on.isNil() || (on.isLogical() && on.asLogical()));
        }));
        b.addMethod("GetDropped", typedMethod<XComboBox>([](XComboBox& c, rt::Args) { return Value(c.send(CB_GETDROPPEDSTATE) == 1); }));
        b.addMethod("GetMinVisible", typedMethod<XComboBox>([](XComboBox& c, rt::Args) {
            return number(theme::isAppThemed() ? c.send(kMinVisibleGet) : 0);
        }));
        b.addMethod("SetMinVisible", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            return Value(theme::isAppThemed() && c.send(kMinVisibleSet, static_cast<intptr_t>(rt::arg(a, 0).asInteger())) != 0);
        }));
        b.addMethod("GetTextLength", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            return number(c.send(CB_GETLBTEXTLEN, static_cast<intptr_t>(rt::arg(a, 0).asInteger())));
        }));
        b.addMethod("LimitEditText", typedMethod<XComboBox>([](XComboBox& c, rt::Args a) {
            return number(c.send(CB_LIMITTEXT, static_cast<intptr_t>(rt::arg(a, 0).asInteger())));
        }));
        auto ownerDrawn = [](XComboBox& c) { return (c.nCtlStyle() & CBS_OWNERDRAWVARIABLE) != 0; };
        b.addMethod("GetItemHeight", typedMethod<XComboBox>([ownerDrawn](XComboBox& c, rt::Args a) -> Value {
            if (!ownerDrawn(c)) return {};
            return number(c.send(CB_GETITEMHEIGHT, static_cast<intptr_t>(rt::arg(a, 0).asInteger())));
        }));
        b.addMethod("SetItemHeight", typedMethod<XComboBox>([ownerDrawn](XComboBox& c, rt::Args a) -> Value {
            if (!ownerDrawn(c)) return {};
            return number(c.send(CB_SETITEMHEIGHT, static_cast<intptr_t>(rt::arg(a, 0).asInteger()),
                                 static_cast<intptr_t>(rt::arg(a, 1).asInteger())));
        }));
        b.addMethod("WMEraseBkgnd", [](rt::Object&, const rt::Method&, rt::Args) { return Value(1); });
        b.addMethod("WMPaint", XCOMBOBOX_WMPAINT);
        return b.create();
    }();
    return c;
}

intptr_t XComboBox::send(unsigned message, intptr_t wParam, intptr_t lParam) const {
    return lists::sendTo(*this, message, wParam, lParam);
}

int64_t XComboBox::curSel() const { return send(CB_GETCURSEL) + 1; }

int64_t XComboBox::fieldHeight() const { return send(CB_GETITEMHEIGHT, -1); }

intptr_t XComboBox::editWindow() const {
    if (!windowExists()) return 0;
    if (HWND edit = GetDlgItem(toHwnd(Handle()), kEditId)) return reinterpret_cast<intptr_t>(edit);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(toHwnd(Handle()), &info) ? reinterpret_cast<intptr_t>(info.hwndItem) == Handle()
                                                        ? 0
                                                        : reinterpret_cast<intptr_t>(info.hwndItem)
                                                  : 0;
}

Value XComboBox::Create(rt::Args args) {
    const Value keptText = field(kComboText);
    setCtlStyle(ctl::changeBits(nCtlStyle(), CBS_SORT, field(kSort).asLogical()));
    setCtlStyle(ctl::changeBits(nCtlStyle(), CBS_AUTOHSCROLL, field(kAutoHScroll).asLogical()));
    Value self = TStdControl::Create(args);
    SetDroppedWidth(std::vector<Value>{field(kDroppedWidth)});
    SetDroppedHeight(std::vector<Value>{field(kDroppedHeight)});
    SetExtendedUI(std::vector<Value>{field(kExtendedUI)});
    const int64_t style = field(kStyle).asInteger();
    // Any style but the plain drop-down is a list: it never shows an empty selection at first.
    if (style != kDropDown && field(kIndex).asInteger() == 0) field(kIndex) = number(1);
    lists::WindowListPort port(Handle(), lists::kComboMessages);
    auto items = field(kItems).asArray();
    if (items && port.count() < static_cast<int64_t>(items->size())) {
        lists::ItemModel model(items->items, port, {true, false, true});
        model.fillWindow();
        send(CB_SETCURSEL, static_cast<intptr_t>(field(kIndex).asInteger() - 1));
    }
    if (style == kDropDown)
        if (const intptr_t edit = editWindow())
            field(kEditField) = createByClassName("TInplaceEdit", "Create", {selfObject(), number(edit)});
    SetMaxLength(std::vector<Value>{field(kMaxLength)});
    if (!leftTrimmed(keptText).empty()) SetText(std::vector<Value>{keptText});
    if (field(kSort).asLogical() && field(kRedraw).asLogical()) rt::send(*this, "LoadFromControl");
    return self;
}

Value XComboBox::Free(rt::Args args) {
    const Value editField = field(kEditField);
    field(kEditField) = Value();
    sendIfUnderstood(editField, "End");
    return TStdControl::Free(args);
}

Value XComboBox::SetIndex(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    field(kIndex) = number(windowExists() ? send(CB_SETCURSEL, static_cast<intptr_t>(n - 1)) + 1 : n);
    return field(kIndex);
}

Value XComboBox::GetIndex(rt::Args) {
    if (windowExists()) field(kIndex) = number(curSel());
    return field(kIndex);
}

Value XComboBox::SetText(rt::Args args) {
    const Value& text = rt::arg(args, 0);
    field(kComboText) = text;
    if (!windowExists()) return text;
    const std::string wanted = text.isString() ? text.asString() : std::string();
    int64_t found = 0;
    if (auto items = field(kItems).asArray())
        for (size_t i = 0; i < items->size() && !found; ++i)
            if (leftTrimmed(items->items[i]) == wanted) found = static_cast<int64_t>(i) + 1;
    send(CB_SETCURSEL, static_cast<intptr_t>(found - 1));
    field(kIndex) = number(found);
    SetWindowTextA(toHwnd(Handle()), wanted.c_str());
    return text;
}

Value XComboBox::GetText(rt::Args args) {
    auto items = field(kItems).asArray();
    const Value& position = rt::arg(args, 0);
    const int64_t count = items ? static_cast<int64_t>(items->size()) : 0;
    Value text;
    if (position.isNumber() && position.asInteger() >= 1 && position.asInteger() <= count) {
        text = Value(leftTrimmed(items->at1(static_cast<size_t>(position.asInteger()))));
    } else if (windowExists()) {
        const int length = GetWindowTextLengthA(toHwnd(Handle()));
        std::string buffer(static_cast<size_t>(length) + 1, '\0');
        buffer.resize(static_cast<size_t>(GetWindowTextA(toHwnd(Handle()), buffer.data(), length + 1)));
        text = Value(buffer);
    } else {
        text = Value(items ? leftTrimmed(items->at1(static_cast<size_t>(std::max<int64_t>(field(kIndex).asInteger(), 0))))
                           : std::string());
    }
    field(kComboText) = text;
    return text;
}

Value XComboBox::SelectString(rt::Args args) {
    const std::string text = rt::arg(args, 0).isString() ? rt::arg(args, 0).asString() : std::string();
    const int64_t start = rt::arg(args, 1).isNumber() ? rt::arg(args, 1).asInteger() : 0;
    send(CB_SELECTSTRING, static_cast<intptr_t>(start - 1), reinterpret_cast<intptr_t>(text.c_str()));
    if (windowExists()) field(kIndex) = number(curSel());
    return field(kIndex);
}

Value XComboBox::SetStyle(rt::Args args) {
    const int64_t style = rt::arg(args, 0).asInteger();
    if (style == kDropDown)
        rt::send(*this, "ReplaceStyle", {number(CBS_DROPDOWNLIST), number(CBS_DROPDOWN)});
    else
        rt::send(*this, "ReplaceStyle", {number(CBS_DROPDOWN), number(CBS_DROPDOWNLIST)});
    field(kStyle) = number(style);
    return field(kStyle);
}

Value XComboBox::SetDroppedHeight(rt::Args args) {
    const int64_t height = rt::arg(args, 0).asInteger();
    field(kDroppedHeight) = number(height);
    if (!windowExists()) return field(kDroppedHeight);
    HWND h = toHwnd(Handle());
    if (theme::getWindowTheme(h)) {
        HDC dc = GetDC(h);
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(handleOf(rt::send(*this, "GetFont"))));
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, previous);
        ReleaseDC(h, dc);
        if (tm.tmHeight > 0) send(kMinVisibleSet, static_cast<intptr_t>((height - 2) / tm.tmHeight));
    } else {
        SetWindowPos(h, nullptr, 0, 0, static_cast<int>(field(kWidth).asInteger()),
                     static_cast<int>(height + fieldHeight() + 6), kSizeFlags);
    }
    return field(kDroppedHeight);
}

Value XComboBox::SetDroppedWidth(rt::Args args) {
    field(kDroppedWidth) = number(rt::arg(args, 0).asInteger());
    send(CB_SETDROPPEDWIDTH, static_cast<intptr_t>(field(kDroppedWidth).asInteger()));
    return field(kDroppedWidth);
}

Value XComboBox::SetExtendedUI(rt::Args args) {
    const Value& on = rt::arg(args, 0);
    field(kExtendedUI) = on.isLogical() && on.asLogical();
    send(CB_SETEXTENDEDUI, field(kExtendedUI).asLogical());
    return field(kExtendedUI);
}

Value XComboBox::GetExtendedUI(rt::Args) {
    if (windowExists()) return Value(send(CB_GETEXTENDEDUI) == 1);
    return field(kExtendedUI);
}

Value XComboBox::SetMaxLength(rt::Args args) {
    field(kMaxLength) = number(rt::arg(args, 0).asInteger());
    if (const intptr_t edit = editWindow())
        SendMessageA(toHwnd(edit), EM_LIMITTEXT, static_cast<WPARAM>(field(kMaxLength).asInteger()), 0);
    return field(kMaxLength);
}

Value XComboBox::GetMaxLength(rt::Args) {
    const intptr_t edit = editWindow();
    if (edit && field(kMaxLength).asInteger() != 0) return number(SendMessageA(toHwnd(edit), EM_GETLIMITTEXT, 0, 0));
    return field(kMaxLength);
}

Value XComboBox::GetEditCtrl(rt::Args) { return number(editWindow()); }

Value XComboBox::GetInfo(rt::Args) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!windowExists() || !GetComboBoxInfo(toHwnd(Handle()), &info)) return {};
    auto handle = [](HWND h) { return number(reinterpret_cast<intptr_t>(h)); };
    return Value::array({rectValue(info.rcItem), rectValue(info.rcButton), number(info.stateButton),
                         handle(info.hwndCombo), handle(info.hwndItem), handle(info.hwndList)});
}

Value XComboBox::GetDroppedControlRect(rt::Args) {
    RECT r{};
    send(CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<intptr_t>(&r));
    return rectValue(r);  // {left, top, right, bottom} as every rectangle of the framework
}

Value XComboBox::Command(rt::Args args) {
    switch (static_cast<int>(rt::arg(args, 0).asInteger())) {
        case CBN_DBLCLK: fireEvent(*this, OnDblClick); return Value(0);
        case CBN_DROPDOWN: fireEvent(*this, OnDropDown); return Value(0);
        case CBN_CLOSEUP: fireEvent(*this, OnCloseUp); return Value(0);
        case CBN_EDITCHANGE:
        case CBN_EDITUPDATE: {
            const bool change = rt::arg(args, 0).asInteger() == CBN_EDITCHANGE;
            const int length = GetWindowTextLengthA(toHwnd(Handle()));
            std::string text(static_cast<size_t>(length) + 1, '\0');
            text.resize(static_cast<size_t>(GetWindowTextA(toHwnd(Handle()), text.data(), length + 1)));
            field(kComboText) = Value(text);
            field(kIndex) = number(curSel());
            if (change)
                rt::send(*this, "EditChange");
            else
                fireEvent(*this, OnEditUpdate);
            return Value(0);
        }
        case CBN_SELCHANGE: rt::send(*this, "Change", {number(curSel())}); return Value(0);
        default: return XControl::Command(args);
    }
}

Value XComboBox::Change(rt::Args args) {
    const Value next = rt::arg(args, 0);
    const Value old = field(kIndex);
    const Value answer = fireEvent(*this, OnChange, {next, old});
    if (answer.isLogical() && !answer.asLogical())
        send(CB_SETCURSEL, static_cast<intptr_t>(old.asInteger() - 1));
    else
        field(kIndex) = next;
    return answer;
}

Value XComboBox::WMSize(rt::Args args) {
    HWND h = toHwnd(Handle());
    if (!windowExists() || theme::getWindowTheme(h) || resizing()) return {};
    resizing() = true;
    SetWindowPos(h, nullptr, 0, 0, LOWORD(rt::arg(args, 1).asInteger()),
                 static_cast<int>(fieldHeight() + field(kDroppedHeight).asInteger() + 6), kSizeFlags | SWP_NOACTIVATE);
    resizing() = false;
    return {};
}

bool XComboBox::fromOwnEdit(const Value& other) const {
    const intptr_t edit = editWindow();
    return edit && static_cast<intptr_t>(other.asInteger()) == edit;
}

Value XComboBox::WMSetFocus(rt::Args args) {
    // The focus moving inside the combo box is no entering.
    if (fromOwnEdit(rt::arg(args, 0))) return {};
    return TStdControl::WMSetFocus(args);
}

Value XComboBox::WMKillFocus(rt::Args args) {
    if (fromOwnEdit(rt::arg(args, 0))) return {};
    return XControl::WMKillFocus(args);
}

Value XComboBox::WMKeyDown(rt::Args args) {
    const int64_t key = rt::arg(args, 0).asInteger();
    if ((key == VK_RETURN || key == VK_ESCAPE) && send(CB_GETDROPPEDSTATE) == 1) send(CB_SHOWDROPDOWN, FALSE);
    return XControl::WMKeyDown(args);
}

}  // namespace vorpex
