#include "framework/data/data_controls/db_navigator.h"

#include <string>

#include "framework/core/object/event.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/data/data_controls/navigator_rules.h"
#include "runtime/core/send.h"
#include "runtime/core/symbol.h"

namespace vorpex::data {

namespace {

using rt::Value;

const EventRef& clickEvent(int button) {
    static const std::vector<EventRef> events = [] {
        std::vector<EventRef> list;
        for (int n = 1; n <= kNavigatorButtons; ++n) list.emplace_back(std::string("OnClick") + navigatorButtonName(n));
        return list;
    }();
    return events[static_cast<size_t>(button - 1)];
}

// The list sized to n items, keeping those it has.
Value sizedList(const Value& list, size_t n) {
    std::vector<Value> items = list.isArray() ? list.asArray()->items : std::vector<Value>{};
    items.resize(n);
    return Value::array(std::move(items));
}

}  // namespace

const rt::Class& XDBNavigator::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XDBNavigator;
        VPClass b("XDBNavigator", &TToolBar::classRecord(), rt::factoryOf<XDBNavigator>());
        for (int n = 1; n <= kNavigatorButtons; ++n) {
            const int at = b.addProperty({.name = std::string("lBtn") + navigatorButtonName(n), .initial = true,
                                          .type = "L", .scope = Published,
                                          .setter = rt::NativeMethod([n](rt::Object& o, const rt::Method&, rt::Args a) {
                                              return static_cast<X&>(o).setShown(n, a);
                                          })});
            if (n == 1) kFirstShowFlag = at;
        }
        kTooltips = b.addProperty({.name = "aTooltips", .initial = Value::array(), .type = "A", .scope = Published});
        kDataSet = b.addProperty({.name = "oDataSet", .type = "TDataSet", .scope = Published, .setter = &X::SetDataSet});
        b.addProperty({.name = "nAlign", .initial = 0, .scope = Published});
        for (int n = 1; n <= kNavigatorButtons; ++n)
            b.addEvent(std::string("OnClick") + navigatorButtonName(n), Published, "oSender");
        b.addProperty({.name = "nWidth", .initial = 240, .scope = Protected});
        b.addProperty({.name = "nHeight", .initial = 28, .scope = Protected});
        b.addProperty({.name = "lWrapable", .initial = false, .scope = Protected});
        b.addProperty({.name = "lEditable", .initial = false, .type = "L", .scope = Protected});
        b.addProperty({.name = "lAutoSize", .initial = true, .scope = Protected});
        for (const char* list : {"oImageList", "oImageListHot", "oImageListDis"})
            b.addProperty({.name = list, .scope = Protected});
        b.addEvent("OnClick", Protected);
        b.addEvent("OnDblClick", Protected);
        b.addProperty({.name = "lList", .initial = false, .scope = Exported});
        addMembers<XDBNavigator>(b);
        // A linked control is asked about fields; the navigator has none.
        for (const char* none : {"oDataField", "ResetDataField", "SetData", "GetData", "SetFieldObject"})
            b.addMethod(none, [](rt::Object&, const rt::Method&, rt::Args) { return Value(); });
        return b.create();
    }();
    return c;
}

Value XDBNavigator::dataSet() const {
    const Value& set = field(kDataSet);
    return set.isObject() ? set : Value();
}

Value XDBNavigator::New(rt::Args args) {
    TToolBar::New(args);
    field(kTooltips) = sizedList(field(kTooltips), kNavigatorButtons);
    std::vector<Value> bitmaps;
    for (int n = 1; n <= kNavigatorButtons; ++n) bitmaps.emplace_back(navigatorBitmap(n));
    rt::send(*this, "AddImages", {Value::array(std::move(bitmaps))});
    for (int n = 1; n <= kNavigatorButtons; ++n) {
        const bool startsEnabled = n != kNavUpdate && n != kNavCancel;
        rt::send(*this, "AddItem", {Value(""), Value(n), field(kTooltips).asArray()->items[n - 1], Value(), Value(),
                                    Value(), Value(startsEnabled), field(kFirstShowFlag + n - 1)});
    }
    return selfObject();
}

Value XDBNavigator::Create(rt::Args args) {
    TToolBar::Create(std::vector<Value>{rt::arg(args, 0)});
    std::vector<Value>& items = itemList();
    field(kTooltips) = sizedList(field(kTooltips), items.size());
    for (size_t i = 0; i < items.size(); ++i)
        rt::send(items[i], "_cTooltip", {field(kTooltips).asArray()->items[i]});
    Refresh({});
    return selfObject();
}

Value XDBNavigator::Free(rt::Args args) {
    SetDataSet({});
    return TToolBar::Free(args);
}

Value XDBNavigator::setShown(int button, rt::Args args) {
    const Value shown(rt::arg(args, 0).isLogical() ? rt::arg(args, 0).asLogical() : true);
    field(kFirstShowFlag + button - 1) = shown;
    std::vector<Value>& items = itemList();
    if (static_cast<size_t>(button) <= items.size()) {
        rt::send(items[button - 1], "_lVisible", {shown});
        rt::send(*this, "Adjust");
    }
    return shown;
}

void XDBNavigator::enableButton(int button, bool on) {
    std::vector<Value>& items = itemList();
    if (button >= 1 && static_cast<size_t>(button) <= items.size()) rt::send(items[button - 1], on ? "Enable" : "Disable");
}

void XDBNavigator::enableRange(int first, int last, bool on) {
    for (int n = first; n <= last; ++n) enableButton(n, on);
}

Value XDBNavigator::Refresh(rt::Args) {
    const Value set = dataSet();
    if (set.isObject() && sendIfUnderstood(set, "lOpen").asLogical()) {
        const std::array<bool, 7> states = movingButtonStates(navigatorViewOf(set));
        for (int n = 1; n <= 7; ++n) enableButton(n, states[n - 1]);
    }
    return TToolBar::Refresh({});
}

Value XDBNavigator::Lock(rt::Args) {
    enableRange(kNavFirst, kNavEdit, true);
    enableRange(kNavUpdate, kNavCancel, false);
    enableButton(kNavRefresh, true);
    return Refresh({});
}

Value XDBNavigator::UnLock(rt::Args) {
    Refresh({});
    enableRange(kNavFirst, kNavEdit, false);
    enableRange(kNavUpdate, kNavCancel, true);
    enableButton(kNavRefresh, false);
    return {};
}

Value XDBNavigator::SetDataSet(rt::Args args) {
    const Value set = rt::arg(args, 0), old = dataSet(), me = selfObject();
    if (old.isObject()) sendIfUnderstood(old, "DelLinkedControl", {me});
    field(kDataSet) = set.isObject() ? set : Value();
    if (set.isObject()) sendIfUnderstood(set, "AddLinkedControl", {me});
    return set;
}

Value XDBNavigator::Command(rt::Args args) {
    const Value set = dataSet();
    const int button = navigatorButtonOf(rt::arg(args, 0).asInteger(), rt::arg(args, 1).asInteger());
    if (button == 0 || !set.isObject() || !sendIfUnderstood(set, "lOpen").asLogical()) return {};
    const Value veto = fireEvent(*this, clickEvent(button));
    if (!(veto.isLogical() && !veto.asLogical())) runNavigatorAction(set, button);
    return Value(0);
}

}  // namespace vorpex::data
