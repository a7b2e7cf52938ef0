#include "framework/controls/list/list_box.h"

#include <windows.h>

#include "framework/controls/list/list_control.h"
#include "framework/controls/painters/std_painters.h"
#include "framework/core/control/control_math.h"
#include "framework/core/native/casts.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/typed_method.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

// A style flag set by its setter: stores the value (NIL counts as true) and changes the style bit.
rt::NativeMethod styleFlag(int& position, int64_t bit, bool setWhenOff = false) {
    return [&position, bit, setWhenOff](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
        const Value& given = rt::arg(a, 0);
        const bool on = given.isNil() || (given.isLogical() && given.asLogical());
        o.field(position) = on;
        rt::send(o, "ChangeCtlStyle", {number(bit), Value(setWhenOff ? !on : on)});
        return Value(on);
    };
}

}  // namespace

const rt::Class& XListBox::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XListBox;
        static const lists::ListTraits traits{&lists::kListBoxMessages, &kItems, &kIndex, &kAutoSort,
                                              "Listbox item", "Listbox item", false};
        VPClass b("XListBox", &TStdControl::classRecord(), rt::factoryOf<XListBox>());
        b.addProperty({.name = "nWidth", .initial = 75, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 100, .scope = Published});
        b.addProperty({.name = "lBorder", .scope = Published});
        b.record().redeclareField(kBorder, Value(true), "L");
        b.addProperty({.name = "nClrPane", .scope = Published});
        b.record().redeclareField(kClrPane, number(GetSysColor(COLOR_WINDOW)), "N");
        kColsWidth = b.addProperty({.name = "nColsWidth", .initial = 100, .type = "N", .scope = Published,
                                    .setter = &X::SetColumnsWidth});
        kItems = b.addProperty({.name = "aItems", .initial = Value::array(), .type = "A", .scope = Published,
                                .getter = "GetItems", .setter = "SetItems", .editor = "PE_StringList"});
        b.addProperty({.name = "cText", .scope = Published, .getter = &X::GetText, .setter = &X::SelectString});
        kIndex = b.addProperty({.name = "nIndex", .initial = 1, .type = "N", .scope = Published,
                                .getter = &X::GetIndex, .setter = &X::SetIndex});
        kAutoSort = b.addProperty({.name = "lAutoSort", .initial = false, .type = "L", .scope = Published});
        kMultipleSel = b.addProperty({.name = "lMultipleSel", .initial = false, .type = "L", .scope = Published});
        kExtendedSel = b.addProperty({.name = "lExtendedSel", .initial = true, .type = "L", .scope = Published});
        kIntegralHeight = b.addProperty({.name = "lIntegralHeight", .initial = true, .type = "L", .scope = Published,
                                         .setter = "SetIntegralHeight"});
        kScrollbarAlways = b.addProperty({.name = "lScrollbarAlways", .initial = false, .type = "L", .scope = Published});
        kHScroll = b.addProperty({.name = "lHScroll", .initial = false, .type = "L", .scope = Published,
                                  .setter = "SetHScroll"});
        kMultiColumn = b.addProperty({.name = "lMultiColumn", .initial = false, .type = "L", .scope = Published,
                                      .setter = "SetMultiColumn"});
        kUseTabStops = b.addProperty({.name = "lUseTabStops", .initial = false, .type = "L", .scope = Published,
                                      .setter = "SetUseTabStops"});
        b.addEvent("OnChange", Published, "oSender, nIndex");
        b.addEvent("OnDblClick", Published, "oSender");
        b.addProperty({.name = "nTopIndex", .initial = 1, .type = "N", .scope = Exported, .getter = "GetTopIndex",
                       .setter = "SetTopIndex"});
        b.addProperty({.name = "lRedraw", .scope = Exported, .setter = "SetRedraw"});
        b.record().redeclareField(kWinClassName, Value("ListBox"), "C");
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | LBS_NOTIFY |
                                                    LBS_HASSTRINGS | WS_BORDER | WS_VSCROLL), "N");

        lists::addSharedListMethods(b, traits);
        b.addMethod("SetIntegralHeight", styleFlag(kIntegralHeight, LBS_NOINTEGRALHEIGHT, true));
        b.addMethod("SetHScroll", styleFlag(kHScroll, WS_HSCROLL));
        b.addMethod("SetMultiColumn", styleFlag(kMultiColumn, LBS_MULTICOLUMN));
        b.addMethod("SetUseTabStops", styleFlag(kUseTabStops, LBS_USETABSTOPS));
        addMembers<XListBox>(b);
        b.addMethod("GetSel", typedMethod<XListBox>([](XListBox& l, rt::Args a) {
            return Value(l.send(LB_GETSEL, static_cast<intptr_t>(rt::arg(a, 0).asInteger() - 1)) > 0);
        }));
        b.addMethod("GetSelCount", typedMethod<XListBox>([](XListBox& l, rt::Args) {
            return number(l.multipleSelection() ? l.send(LB_GETSELCOUNT) : 0);
        }));
        b.addMethod("SelRange", typedMethod<XListBox>([](XListBox& l, rt::Args a) {
            const Value& on = rt::arg(a, 0);
            return number(l.send(LB_SELITEMRANGE, on.isNil() || (on.isLogical() && on.asLogical()),
                                 MAKELONG(rt::arg(a, 1).asInteger(), rt::arg(a, 2).asInteger())));
        }));
        // Anchor and caret belong to multiple-selection lists.
        auto multiple = [](unsigned message, bool withArgument) {
            return typedMethod<XListBox>([message, withArgument](XListBox& l, rt::Args a) {
                if (!l.multipleSelection()) return number(0);
                return number(withArgument ? l.send(message, static_cast<intptr_t>(rt::arg(a, 0).asInteger()),
                                                    rt::arg(a, 1).isLogical() && rt::arg(a, 1).asLogical())
                                           : l.send(message));
            });
        };
        b.addMethod("GetAnchor", multiple(LB_GETANCHORINDEX, false));
        b.addMethod("SetAnchor", multiple(LB_SETANCHORINDEX, true));
        b.addMethod("GetCaretIndex", multiple(LB_GETCARETINDEX, false));
        b.addMethod("SetCaretIndex", multiple(LB_SETCARETINDEX, true));
        b.addMethod("GetItemData", typedMethod<XListBox>([](XListBox& l, rt::Args a) {
            return number(l.send(LB_GETITEMDATA, static_cast<intptr_t>(rt::arg(a, 0).asInteger())));
        }));
        b.addMethod("SetItemData", typedMethod<XListBox>([](XListBox& l, rt::Args a) {
            return number(l.send(LB_SETITEMDATA, static_cast<intptr_t>(rt::arg(a, 0).asInteger()),
                                 static_cast<intptr_t>(rt::arg(a, 1).asInteger())));
        }));
        b.addMethod("ItemFromPoint", typedMethod<XListBox>([](XListBox& l, rt::Args a) {
            return number(l.send(LB_ITEMFROMPOINT, 0, MAKELONG(rt::arg(a, 0).asInteger(), rt::arg(a, 1).asInteger())));
        }));
        b.addMethod("GetItemHeight", typedMethod<XListBox>([](XListBox& l, rt::Args a) {
            return number(l.send(LB_GETITEMHEIGHT, static_cast<intptr_t>(rt::arg(a, 0).asInteger())));
        }));
        b.addMethod("SetItemHeight", typedMethod<XListBox>([](XListBox& l, rt::Args a) {
            return number(l.send(LB_SETITEMHEIGHT, static_cast<intptr_t>(rt::arg(a, 0).asInteger()),
                                 static_cast<intptr_t>(rt::arg(a, 1).asInteger())));
        }));
        b.addMethod("SetCount", typedMethod<XListBox>([](XListBox& l, rt::Args a) -> Value {
            if (!(l.nCtlStyle() & LBS_NODATA) || (l.nCtlStyle() & LBS_HASSTRINGS)) return {};
            return number(l.send(LB_SETCOUNT, static_cast<intptr_t>(rt::arg(a, 0).asInteger())));
        }));
        b.addMethod("ClearTabStops", typedMethod<XListBox>([](XListBox& l, rt::Args) { return Value(l.send(LB_SETTABSTOPS) != 0); }));
        b.addMethod("WMEraseBkgnd", [](rt::Object&, const rt::Method&, rt::Args) { return Value(1); });
        b.addMethod("WMPaint", XCONTROL_ERASESOLIDANDPAINT);
        b.addMethod("WMPrintClient", XLISTBOX_WMPRINTCLIENT);
        return b.create();
    }();
    return c;
}

intptr_t XListBox::send(unsigned message, intptr_t wParam, intptr_t lParam) const {
    return lists::sendTo(*this, message, wParam, lParam);
}

Value XListBox::Create(rt::Args args) {
    const int64_t keptHeight = field(kHeight).asInteger();
    int64_t style = nCtlStyle();
    style = ctl::changeBits(style, LBS_SORT, field(kAutoSort).asLogical());
    style = ctl::changeBits(style, LBS_MULTIPLESEL, multipleSelection());
    style = ctl::changeBits(style, LBS_EXTENDEDSEL, multipleSelection() && field(kExtendedSel).asLogical());
    style = ctl::changeBits(style, LBS_DISABLENOSCROLL, field(kScrollbarAlways).asLogical());
    setCtlStyle(style);
    rt::send(*this, "SetIntegralHeight", {field(kIntegralHeight)});
    rt::send(*this, "SetMultiColumn", {field(kMultiColumn)});
    rt::send(*this, "SetUseTabStops", {field(kUseTabStops)});
    Value self = TStdControl::Create(args);
    const int64_t scale = sendIfUnderstood(Application(), "nScale").asInteger();
    if (scale > 0) field(kHeight) = number(MulDiv(static_cast<int>(keptHeight), static_cast<int>(scale), 100));
    lists::WindowListPort port(Handle(), lists::kListBoxMessages);
    auto items = field(kItems).asArray();
    if (items && port.count() == 0 && !items->items.empty()) {
        lists::ItemModel model(items->items, port, {false, false, true});
        model.fillWindow();
        SetIndex(std::vector<Value>{field(kIndex)});
    }
    SetColumnsWidth({});
    if (field(kAutoSort).asLogical() && field(kRedraw).asLogical()) rt::send(*this, "LoadFromControl");
    return self;
}

Value XListBox::Command(rt::Args args) {
    if (rt::arg(args, 0).asInteger() == LBN_SELCHANGE) rt::send(*this, "Change", {number(send(LB_GETCURSEL) + 1)});
    return XControl::Command(args);
}

Value XListBox::Change(rt::Args args) {
    field(kIndex) = number(rt::arg(args, 0).asInteger());
    return fireEvent(*this, OnChange, {field(kIndex)});
}

Value XListBox::SetIndex(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    if (!windowExists() || multipleSelection()) {
        if (windowExists()) SetSel(std::vector<Value>{number(n)});
        field(kIndex) = number(n);
    } else {
        field(kIndex) = number(send(LB_SETCURSEL, static_cast<intptr_t>(n - 1)) + 1);
    }
    return field(kIndex);
}

Value XListBox::GetIndex(rt::Args) {
    if (windowExists()) field(kIndex) = number(send(LB_GETCURSEL) + 1);
    return field(kIndex);
}

Value XListBox::GetText(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    if (windowExists()) {
        const int64_t n = given.isNumber() ? given.asInteger() : send(LB_GETCURSEL) + 1;
        return Value(lists::WindowListPort(Handle(), lists::kListBoxMessages).text(n - 1));
    }
    auto items = field(kItems).asArray();
    const int64_t n = given.isNumber() ? given.asInteger() : field(kIndex).asInteger();
    const Value& item = items && n >= 1 ? items->at1(static_cast<size_t>(n)) : rt::nil();
    return item.isString() ? item : Value("");
}

Value XListBox::SelectString(rt::Args args) {
    const std::string text = rt::arg(args, 0).isString() ? rt::arg(args, 0).asString() : std::string();
    const int64_t start = rt::arg(args, 1).isNumber() ? rt::arg(args, 1).asInteger() : 0;
    if (!windowExists()) return Value(false);
    return Value(send(LB_SELECTSTRING, static_cast<intptr_t>(start - 1), reinterpret_cast<intptr_t>(text.c_str())) != LB_ERR);
}

Value XListBox::SetSel(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    const int64_t n = given.isNumber() ? given.asInteger() : field(kIndex).asInteger();
    const Value& select = rt::arg(args, 1);
    const bool on = select.isNil() || (select.isLogical() && select.asLogical());
    return Value(windowExists() && send(LB_SETSEL, on, static_cast<intptr_t>(n - 1)) != LB_ERR);
}

Value XListBox::GetSelItems(rt::Args) {
    const intptr_t count = send(LB_GETSELCOUNT);
    std::vector<Value> positions;
    if (count > 0) {
        std::vector<int> selected(static_cast<size_t>(count));
        const intptr_t got = send(LB_GETSELITEMS, count, reinterpret_cast<intptr_t>(selected.data()));
        for (intptr_t i = 0; i < got; ++i) positions.push_back(number(selected[static_cast<size_t>(i)] + 1));
    }
    return Value::array(std::move(positions));
}

Value XListBox::SetSelItems(rt::Args args) {
    auto wanted = rt::arg(args, 0).asArray();
    if (!multipleSelection() || !wanted || !windowExists()) return Value(false);
    const intptr_t count = send(LB_GETCOUNT);
    for (intptr_t i = 0; i < count; ++i) {
        bool on = false;
        for (const Value& v : wanted->items) on |= v.isNumber() && v.asInteger() == i + 1;
        if (send(LB_SETSEL, on, i) == LB_ERR) return Value(false);
    }
    return Value(true);
}

Value XListBox::GetItemRect(rt::Args args) {
    RECT r{};
    if (!windowExists() ||
        send(LB_GETITEMRECT, static_cast<intptr_t>(rt::arg(args, 0).asInteger() - 1), reinterpret_cast<intptr_t>(&r)) == LB_ERR)
        r = {};
    // {left, top, right, bottom}, as every rectangle of the framework.
    return Value::array({number(r.left), number(r.top), number(r.right), number(r.bottom)});
}

Value XListBox::SetColumnsWidth(rt::Args args) {
    if (rt::arg(args, 0).isNumber()) field(kColsWidth) = number(rt::arg(args, 0).asInteger());
    if (field(kMultiColumn).asLogical()) send(LB_SETCOLUMNWIDTH, static_cast<intptr_t>(field(kColsWidth).asInteger()));
    return field(kColsWidth);
}

Value XListBox::SetTabStops(rt::Args args) {
    if (!field(kUseTabStops).asLogical()) return Value(false);
    auto stops = rt::arg(args, 0).asArray();
    if (!stops) return {};
    std::vector<int> units = lists::tabStops(stops->items);
    return Value(send(LB_SETTABSTOPS, static_cast<intptr_t>(units.size()), reinterpret_cast<intptr_t>(units.data())) != 0);
}

}  // namespace vorpex
