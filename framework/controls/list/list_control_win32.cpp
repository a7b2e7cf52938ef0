#include "framework/controls/list/list_control.h"

#include <windows.h>

#include "framework/core/control/std_control.h"
#include "framework/core/native/win_casts.h"
#include "runtime/core/send.h"

namespace vorpex::lists {

using rt::Value;

namespace {

using native::number;
using win::toHwnd;

std::vector<Value>& itemsOf(XStdControl& control, const ListTraits& traits) {
    Value& items = control.field(*traits.itemsField);
    if (!items.isArray()) items = Value::array();
    return items.asArray()->items;
}

bool sorted(const XStdControl& control, const ListTraits& traits) { return control.field(*traits.sortField).asLogical(); }
bool redraw(XStdControl& control) { return rt::send(control, "lRedraw").asLogical(); }

// 1-based position arguments: NIL or not given is the current index.
int64_t positionOr(XStdControl& control, const Value& given) {
    return given.isNumber() ? given.asInteger() : rt::send(control, "nIndex").asInteger();
}

using Body = std::function<Value(XStdControl&, rt::Args)>;
rt::NativeMethod method(Body body) {
    return [body](rt::Object& self, const rt::Method&, rt::Args a) { return body(static_cast<XStdControl&>(self), a); };
}

// A message with the 1-based argument 0 made zero-based (or passed as it is), answering + 1 when asked.
rt::NativeMethod indexMessage(const ListTraits& t, unsigned ListMessages::*message, bool answerOneBased) {
    return method([&t, message, answerOneBased](XStdControl& c, rt::Args a) {
        const intptr_t answer = sendTo(c, t.messages->*message, static_cast<intptr_t>(rt::arg(a, 0).asInteger() - 1));
        return number(answerOneBased ? answer + 1 : answer);
    });
}

rt::NativeMethod findMessage(const ListTraits& t, unsigned ListMessages::*message) {
    return method([&t, message](XStdControl& c, rt::Args a) {
        const std::string text = rt::arg(a, 0).isString() ? rt::arg(a, 0).asString() : std::string();
        const int64_t start = rt::arg(a, 1).isNumber() ? rt::arg(a, 1).asInteger() : 0;
        return number(sendTo(c, t.messages->*message, static_cast<intptr_t>(start - 1),
                             reinterpret_cast<intptr_t>(text.c_str())) + 1);
    });
}

}  // namespace

const ListMessages kComboMessages{CB_ADDSTRING,    CB_INSERTSTRING,   CB_DELETESTRING,    CB_RESETCONTENT,
                                  CB_GETCOUNT,     CB_GETLBTEXTLEN,   CB_GETLBTEXT,       CB_SETCURSEL,
                                  CB_GETCURSEL,    CB_SELECTSTRING,   CB_FINDSTRING,      CB_FINDSTRINGEXACT,
                                  CB_SETTOPINDEX,  CB_GETTOPINDEX,    CB_SETHORIZONTALEXTENT,
                                  CB_GETHORIZONTALEXTENT, CB_DIR,     CB_INITSTORAGE};
const ListMessages kListBoxMessages{LB_ADDSTRING,  LB_INSERTSTRING,   LB_DELETESTRING,    LB_RESETCONTENT,
                                    LB_GETCOUNT,   LB_GETTEXTLEN,     LB_GETTEXT,         LB_SETCURSEL,
                                    LB_GETCURSEL,  LB_SELECTSTRING,   LB_FINDSTRING,      LB_FINDSTRINGEXACT,
                                    LB_SETTOPINDEX, LB_GETTOPINDEX,   LB_SETHORIZONTALEXTENT,
                                    LB_GETHORIZONTALEXTENT, LB_DIR,   LB_INITSTORAGE};

intptr_t WindowListPort::send(unsigned message, intptr_t wParam, intptr_t lParam) {
    return SendMessageA(toHwnd(window_), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

int64_t WindowListPort::count() { return send(m_.count); }
int64_t WindowListPort::add(const std::string& text) { return send(m_.add, 0, reinterpret_cast<intptr_t>(text.c_str())); }
int64_t WindowListPort::insert(int64_t index, const std::string& text) {
    return send(m_.insert, static_cast<intptr_t>(index), reinterpret_cast<intptr_t>(text.c_str()));
}
int64_t WindowListPort::remove(int64_t index) { return send(m_.remove, static_cast<intptr_t>(index)); }
int64_t WindowListPort::reset() { return send(m_.reset); }

std::string WindowListPort::text(int64_t index) {
    const intptr_t length = send(m_.textLength, static_cast<intptr_t>(index));
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const intptr_t copied = send(m_.text, static_cast<intptr_t>(index), reinterpret_cast<intptr_t>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::vector<std::string> WindowListPort::texts() {
    std::vector<std::string> all;
    const int64_t n = count();
    for (int64_t i = 0; i < n; ++i) all.push_back(text(i));
    return all;
}

intptr_t sendTo(const XStdControl& control, unsigned message, intptr_t wParam, intptr_t lParam) {
    if (!control.windowExists()) return 0;
    return SendMessageA(toHwnd(control.Handle()), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

void addSharedListMethods(VPClass& b, const ListTraits& t) {
    // Runs `body` on a model bound to the control's items and window.
    auto withModel = [&t](auto body) {
        return method([&t, body](XStdControl& c, rt::Args a) {
            WindowListPort port(c.Handle(), *t.messages);
            ItemModel model(itemsOf(c, t), port, {t.trimLeading, sorted(c, t), redraw(c)});
            return body(c, model, a);
        });
    };
    b.addMethod("InsertItem", withModel([&t](XStdControl&, ItemModel& m, rt::Args a) {
        const Value& pos = rt::arg(a, 0);
        const Value& item = rt::arg(a, 1);
        return Value(m.insert(pos.isNumber() ? std::optional<int64_t>(pos.asInteger()) : std::nullopt,
                              item.isNil() ? Value(t.insertDefault) : item));
    }));
    b.addMethod("AddItem", method([](XStdControl& c, rt::Args a) { return rt::send(c, "InsertItem", {Value(), rt::arg(a, 0)}); }));
    b.addMethod("DeleteItem", withModel([](XStdControl& c, ItemModel& m, rt::Args a) {
        return Value(m.remove(positionOr(c, rt::arg(a, 0))));
    }));
    b.addMethod("ModifyItem", withModel([&t](XStdControl& c, ItemModel& m, rt::Args a) {
        const int64_t position = positionOr(c, rt::arg(a, 0));
        const int64_t current = rt::send(c, "nIndex").asInteger();
        const Value& item = rt::arg(a, 1);
        if (!m.modify(position, item.isNil() ? Value(t.modifyDefault) : item)) return Value(false);
        if (position == current) sendTo(c, t.messages->setCurSel, static_cast<intptr_t>(position - 1));
        return Value(true);
    }));
    b.addMethod("SetItems", withModel([&t](XStdControl& c, ItemModel& m, rt::Args a) {
        auto given = rt::arg(a, 0).asArray();
        std::vector<Value> wanted = given ? given->items : std::vector<Value>{};
        if (t.trimLeading) wanted = unwrapped(wanted);
        const bool drawingOff = !t.trimLeading;  // the list box does not redraw while it loads
        if (drawingOff) sendTo(c, WM_SETREDRAW, FALSE);
        const bool done = m.assign(wanted);
        if (drawingOff && redraw(c)) sendTo(c, WM_SETREDRAW, TRUE);
        if (!done) return Value(false);
        if (c.windowExists() && !wanted.empty()) rt::send(c, "SetIndex", {Value(1)});
        rt::send(c, "Refresh");
        return Value(true);
    }));
    auto reset = withModel([](XStdControl&, ItemModel& m, rt::Args) { return Value(m.reset()); });
    b.addMethod("Reset", reset);
    b.addMethod("DeleteItems", reset);
    b.addMethod("LoadFromControl", withModel([](XStdControl&, ItemModel& m, rt::Args) {
        m.reload();
        return Value();
    }));
    b.addMethod("SetRedraw", withModel([&t](XStdControl& c, ItemModel& m, rt::Args a) {
        const Value& on = rt::arg(a, 0);
        if (sorted(c, t) && (on.isNil() || (on.isLogical() && on.asLogical()))) m.reload();
        return c.SetRedraw(a);
    }));
    b.addMethod("GetItems", method([&t](XStdControl& c, rt::Args) { return Value::array(itemsOf(c, t)); }));
    b.addMethod("SetCurSel", indexMessage(t, &ListMessages::setCurSel, true));
    b.addMethod("GetCurSel", method([&t](XStdControl& c, rt::Args) { return number(sendTo(c, t.messages->getCurSel) + 1); }));
    b.addMethod("GetCount", method([&t](XStdControl& c, rt::Args) { return number(sendTo(c, t.messages->count)); }));
    b.addMethod("FindString", findMessage(t, &ListMessages::findString));
    b.addMethod("FindStringEx", findMessage(t, &ListMessages::findExact));
    b.addMethod("SetTopIndex", indexMessage(t, &ListMessages::setTopIndex, false));
    b.addMethod("GetTopIndex", method([&t](XStdControl& c, rt::Args) { return number(sendTo(c, t.messages->getTopIndex) + 1); }));
    b.addMethod("SetHorzExtent", method([&t](XStdControl& c, rt::Args a) {
        return number(sendTo(c, t.messages->setHorzExtent, static_cast<intptr_t>(rt::arg(a, 0).asInteger())));
    }));
    b.addMethod("GetHorzExtent", method([&t](XStdControl& c, rt::Args) { return number(sendTo(c, t.messages->getHorzExtent)); }));
    b.addMethod("SetDir", method([&t](XStdControl& c, rt::Args a) {
        const std::string spec = rt::arg(a, 1).isString() ? rt::arg(a, 1).asString() : std::string();
        return number(sendTo(c, t.messages->dir, static_cast<intptr_t>(rt::arg(a, 0).asInteger()),
                             reinterpret_cast<intptr_t>(spec.c_str())));
    }));
    b.addMethod("InitStorage", method([&t](XStdControl& c, rt::Args a) {
        return number(sendTo(c, t.messages->initStorage, static_cast<intptr_t>(rt::arg(a, 0).asInteger()),
                             static_cast<intptr_t>(rt::arg(a, 1).asInteger())));
    }));
}

}  // namespace vorpex::lists
