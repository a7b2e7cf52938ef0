#include "framework/controls/header/header.h"

#include <windows.h>

#include <commctrl.h>

#include "framework/controls/header/header_items.h"
#include "framework/controls/header/header_painter.h"
#include "framework/controls/header/header_rules.h"
#include "framework/core/control/flag_style.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/object_link.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;
using win::toHwnd;
// A change of one part of an item.
template <typename T, typename V>
header::ItemChange change(std::optional<T> header::ItemChange::*part, V value) {
    header::ItemChange c;
    c.*part = value;
    return c;
}

intptr_t pointerArg(rt::Args a, size_t i) { return static_cast<intptr_t>(rt::arg(a, i).asInteger()); }

constexpr UINT kVorpexMessage = WM_USER + 1;
constexpr int64_t kRebuildTips = 0, kDestroyChild = -1, kFocusWindow = -2;
constexpr UINT kUnicodeNotifyShift = HDN_ITEMCHANGINGA - HDN_ITEMCHANGINGW;  // the W codes lie 20 below the A ones

// The arguments of AddItem in their order, with their defaults.
const Value& defaultOf(size_t i) {
    static const Value defaults[] = {Value("Header"), Value(0), Value(50), Value(0), Value(), Value(0), Value(""),
                                     Value(0)};
    return defaults[i];
}

}  // namespace

// ---------------------------------------------------------------- the header

const rt::Class& XHeader::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XHeader;
        VPClass b("XHeader", &TStdControl::classRecord(), rt::factoryOf<XHeader>());
        kImageList = b.addProperty({.name = "oImageList", .type = "O", .scope = Published, .setter = &X::SetImageList,
                                    .editor = "PE_ImageList"});
        kItems = b.addProperty({.name = "aItems", .initial = Value::array(), .type = "A", .scope = Published,
                                .setter = &X::SetItems});
        b.addProperty({.name = "nWidth", .initial = 100, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 30, .scope = Published});
        b.addProperty({.name = "nAlign", .initial = 2, .scope = Published});
        b.addProperty({.name = "lTabStop", .initial = false, .scope = Published});
        kWordBreak = b.addProperty({.name = "lWordBreak", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "lBorder", .scope = Published});
        b.record().redeclareField(kBorder, Value(false), "L");
        const std::pair<const char*, std::pair<int*, bool>> flags[] = {
            {"lButtons", {&kButtons, true}},   {"lDragDrop", {&kDragDrop, true}}, {"lFilterBar", {&kFilterBar, false}},
            {"lFlat", {&kFlat, false}},        {"lFullDrag", {&kFullDrag, true}}, {"lHotTrack", {&kHotTrack, true}}};
        for (const auto& [name, spec] : flags)
            *spec.first = b.addProperty({.name = name, .initial = spec.second, .type = "L", .scope = Published,
                                         .setter = std::string("Set") + (name + 1)});
        kResize = b.addProperty({.name = "lResize", .initial = true, .type = "L", .scope = Published});
        b.addEvent("OnBeginDrag", Published, "oSender");
        b.addEvent("OnBeginTrack", Published, "oSender, nItem, nRow");
        b.addEvent("OnDividerDblClick", Published, "oSender, nItem");
        b.addEvent("OnEndDrag", Published, "oSender, nItem, nOrder");
        b.addEvent("OnEndTrack", Published, "oSender, nItem, nRow");
        b.addEvent("OnFilterBtnClick", Published, "oSender, nItem");
        b.addEvent("OnFilterChange", Published, "oSender, nItem");
        b.addEvent("OnFilterEdit", Published, "oSender, nItem");
        b.addEvent("OnItemChanged", Published, "oSender");
        b.addEvent("OnItemChanging", Published, "oSender");
        b.addEvent("OnClick", Published, "oSender, nPosX, nPosY, nItem");
        b.addEvent("OnDblClick", Published, "oSender, nPosX, nPosY, nItem");
        b.addEvent("OnRClick", Published, "oSender, nPosX, nPosY, nItem");
        b.addEvent("OnTrack", Published, "oSender");
        b.record().redeclareField(kWinClassName, Value(WC_HEADERA), "C");
        b.record().redeclareField(kCtlStyle, number(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS), "N");
        for (const char* exported : {"l3D", "nClrPane", "nClrText"}) b.addProperty({.name = exported, .scope = Exported});
        kCancelDrag = b.addData("lCancelDrag", false, "L", Exported);
        kCancelTrack = b.addData("lCancelTrack", false, "L", Exported);
        addMembers<XHeader>(b);
        b.addMethod("SetButtons", flagStyleSetter(kButtons, HDS_BUTTONS));
        b.addMethod("SetDragDrop", flagStyleSetter(kDragDrop, HDS_DRAGDROP));
        b.addMethod("SetFilterBar", flagStyleSetter(kFilterBar, HDS_FILTERBAR));
        b.addMethod("SetFlat", flagStyleSetter(kFlat, HDS_FLAT));
        b.addMethod("SetFullDrag", flagStyleSetter(kFullDrag, HDS_FULLDRAG));
        b.addMethod("SetHotTrack", flagStyleSetter(kHotTrack, HDS_HOTTRACK));
        // Thin messages: (wParam from argument 1 or a constant, lParam from argument 2 or a constant).
        auto message = [](UINT m, std::function<std::pair<intptr_t, intptr_t>(rt::Args)> params) -> rt::NativeMethod {
            return [m, params](rt::Object& self, const rt::Method&, rt::Args a) -> Value {
                const auto [w, l] = params(a);
                return number(static_cast<XHeader&>(self).send(m, w, l));
            };
        };
        auto n = [](rt::Args a, size_t i) { return static_cast<intptr_t>(rt::arg(a, i).asInteger()); };
        b.addMethod("GetBitmapMargin", message(HDM_GETBITMAPMARGIN, [](rt::Args) { return std::pair<intptr_t, intptr_t>{0, 0}; }));
        b.addMethod("SetBitmapMargin", message(HDM_SETBITMAPMARGIN, [n](rt::Args a) { return std::pair{n(a, 0), intptr_t{0}}; }));
        b.addMethod("OrderToIndex", message(HDM_ORDERTOINDEX, [n](rt::Args a) { return std::pair{n(a, 0), intptr_t{0}}; }));
        b.addMethod("CreateDragImage", message(HDM_CREATEDRAGIMAGE, [n](rt::Args a) { return std::pair{n(a, 0), intptr_t{0}}; }));
        b.addMethod("SetHotDivider", message(HDM_SETHOTDIVIDER, [n](rt::Args a) {
                        return std::pair{static_cast<intptr_t>(rt::arg(a, 0).asLogical()), n(a, 1)}; }));
        b.addMethod("ClearFilter", message(HDM_CLEARFILTER, [n](rt::Args a) { return std::pair{n(a, 0) - 1, intptr_t{0}}; }));
        b.addMethod("ClearAllFilters", message(HDM_CLEARFILTER, [](rt::Args) { return std::pair<intptr_t, intptr_t>{-1, 0}; }));
        b.addMethod("SetFilterChangeTimeout", message(HDM_SETFILTERCHANGETIMEOUT, [n](rt::Args a) { return std::pair{intptr_t{0}, n(a, 0)}; }));
        b.addMethod("EditFilter", message(HDM_EDITFILTER, [n](rt::Args a) {
                        const Value& discard = rt::arg(a, 1);
                        return std::pair{n(a, 0), static_cast<intptr_t>(MAKELPARAM(discard.isLogical() && !discard.asLogical() ? 0 : 1, 0))}; }));
        b.addMethod("WMEraseBkgnd", [](rt::Object&, const rt::Method&, rt::Args) { return Value(1); });
        b.addMethod("WMPaint", XCONTROL_ERASEANDPAINT);
        b.addVirtual("VPClick");
        return b.create();
    }();
    return c;
}

intptr_t XHeader::send(unsigned message, intptr_t wParam, intptr_t lParam) const {
    if (!windowExists()) return 0;
    return SendMessageA(toHwnd(Handle()), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

std::vector<Value> XHeader::items() const {
    auto list = field(kItems).asArray();
    return list ? list->items : std::vector<Value>{};
}

Value XHeader::itemAt(int64_t position) const {
    auto list = field(kItems).asArray();
    if (!list || position < 1 || position > static_cast<int64_t>(list->size())) return {};
    return list->at1(static_cast<size_t>(position));
}

void XHeader::renumber() {
    const std::vector<Value> list = items();
    std::vector<int64_t> positions;
    for (const Value& item : list) positions.push_back(sendIfUnderstood(item, "nIndex").asInteger());
    const std::vector<int64_t> next = header::renumbered(positions);
    for (size_t i = 0; i < list.size(); ++i)
        if (auto item = rt::objectAs<XHeaderItem>(list[i])) item->setIndex(next[i]);
}

int64_t XHeader::placeItem(const Value& item, int64_t position) {
    auto list = field(kItems).asArray();
    if (!list) {
        field(kItems) = Value::array();
        list = field(kItems).asArray();
    }
    const auto count = static_cast<int64_t>(list->size());
    if (position < 1 || position > count) position = count + 1;
    list->items.insert(list->items.begin() + (position - 1), item);
    // The items after it move one place on, also for the setters that address them in the window later.
    if (auto placed = rt::objectAs<XHeaderItem>(item)) placed->setIndex(position);
    renumber();
    return position;
}

Value XHeader::New(rt::Args args) {
    field(kImageList) = createByClassName("TImageList", "Create", {selfObject()});
    return TStdControl::New(args);
}

Value XHeader::Create(rt::Args args) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    for (const char* setter : {"SetButtons", "SetDragDrop", "SetFilterBar", "SetFlat", "SetFullDrag", "SetHotTrack"})
        rt::send(*this, setter);
    Value self = TStdControl::Create(args);
    if (const intptr_t list = handleOf(oImageList())) send(HDM_SETIMAGELIST, 0, list);
    for (const Value& item : items()) sendIfUnderstood(item, "Insert");
    SetTooltipZones({});
    return self;
}

bool XHeader::ownsImageList() const {
    auto list = rt::objectAs<XComponent>(oImageList());
    return list && list->oParent().get() == this;
}

Value XHeader::Free(rt::Args args) {
    if (ownsImageList()) sendIfUnderstood(oImageList(), "End");
    field(kImageList) = Value();
    return TStdControl::Free(args);
}

Value XHeader::AddItem(rt::Args args) {
    Value item = createByClassName("THeaderItem", "New", {selfObject()});
    static const char* const setters[] = {"_cText", "_nAlignment", "_nWidth", "_nImage", "_cTooltip", "_nSort",
                                          "_cFilter", "_nIndex"};
    for (size_t i = 0; i < std::size(setters); ++i) {
        const Value& given = rt::arg(args, i);
        sendIfUnderstood(item, setters[i], {given.isNil() ? defaultOf(i) : given});
    }
    sendIfUnderstood(item, "Create", {selfObject()});
    return item;
}

Value XHeader::InsertItem(rt::Args args) {
    std::vector<Value> moved(8);
    for (size_t i = 0; i < 7; ++i) moved[i] = rt::arg(args, i + 1);
    moved[7] = rt::arg(args, 0);
    return AddItem(moved);
}

Value XHeader::DeleteItem(rt::Args args) {
    const int64_t n = rt::arg(args, 0).asInteger();
    const Value item = itemAt(n);
    if (item.isNil()) return Value(false);
    // The window answers first: on a refusal model and window stay as they were.
    if (windowExists() && !send(HDM_DELETEITEM, static_cast<intptr_t>(n - 1))) return Value(false);
    auto list = field(kItems).asArray();
    list->items.erase(list->items.begin() + (n - 1));
    if (auto removed = rt::objectAs<XHeaderItem>(item)) removed->setIndex(0);
    renumber();
    SetTooltipZones({});
    return Value(true);
}

Value XHeader::DeleteItems(rt::Args) {
    if (windowExists())
        while (send(HDM_GETITEMCOUNT) > 0 && send(HDM_DELETEITEM, 0)) {}
    for (const Value& item : items())
        if (auto i = rt::objectAs<XHeaderItem>(item)) i->setIndex(0);
    field(kItems) = Value::array();
    return {};
}

Value XHeader::Rebuild(rt::Args) {
    if (!windowExists()) return {};
    while (send(HDM_GETITEMCOUNT) > 0 && send(HDM_DELETEITEM, 0)) {}
    for (const Value& item : items()) sendIfUnderstood(item, "Insert");
    SetTooltipZones({});
    return {};
}

Value XHeader::SetItems(rt::Args args) {
    const std::vector<Value> wanted = rt::arg(args, 0).isArray() ? rt::arg(args, 0).asArray()->items : std::vector<Value>{};
    DeleteItems({});
    send(WM_SETREDRAW, FALSE);
    for (const Value& element : wanted) {
        if (element.isString()) {
            AddItem(std::vector<Value>{element});
        } else if (auto row = element.asArray(); row && row->size() >= 1 && row->size() <= 7) {
            AddItem(row->items);
        }
    }
    if (field(kRedraw).asLogical()) send(WM_SETREDRAW, TRUE);
    SetTooltipZones({});
    return field(kItems);
}

std::pair<int64_t, int64_t> XHeader::cursor() const {
    POINT p{};
    GetCursorPos(&p);
    ::ScreenToClient(toHwnd(Handle()), &p);
    return {p.x, p.y};
}

int64_t XHeader::itemAtPoint(int64_t x, int64_t y) const {
    HDHITTESTINFO info{};
    info.pt = {static_cast<LONG>(x), static_cast<LONG>(y)};
    const intptr_t answer = send(HDM_HITTEST, 0, reinterpret_cast<intptr_t>(&info));
    return windowExists() && answer >= 0 ? answer + 1 : 0;
}

Value XHeader::HitTest(rt::Args) {
    if (!windowExists()) return number(0);
    const auto [x, y] = cursor();
    return number(itemAtPoint(x, y));
}

Value XHeader::GetItemRect(rt::Args args) {
    const Value item = itemAt(rt::arg(args, 0).asInteger());
    if (item.isNil()) return Value::array({number(0), number(0), number(0), number(0)});
    return sendIfUnderstood(item, "GetRect");
}

Value XHeader::GetItemCount(rt::Args) { return number(send(HDM_GETITEMCOUNT)); }

Value XHeader::GetOrderArray(rt::Args) {
    const intptr_t count = send(HDM_GETITEMCOUNT);
    std::vector<int> order(static_cast<size_t>(std::max<intptr_t>(count, 0)));
    std::vector<Value> result;
    if (!order.empty() && send(HDM_GETORDERARRAY, count, reinterpret_cast<intptr_t>(order.data())))
        for (int i : order) result.push_back(number(i + 1));
    return Value::array(std::move(result));
}

Value XHeader::SetOrderArray(rt::Args args) {
    auto wanted = rt::arg(args, 0).asArray();
    if (!wanted) return Value(false);
    std::vector<int> order;
    for (const Value& v : wanted->items) order.push_back(static_cast<int>(v.asInteger()));
    return Value(send(HDM_SETORDERARRAY, static_cast<intptr_t>(order.size()), reinterpret_cast<intptr_t>(order.data())) != 0);
}

Value XHeader::SetTooltipZones(rt::Args) {
    if (!windowExists()) return {};
    rt::send(*this, "SetTooltip");
    const std::vector<Value> list = items();
    for (size_t i = 0; i < list.size(); ++i) {
        const Value tip = sendIfUnderstood(list[i], "cTooltip");
        if (!tip.isString() || tip.asString().empty()) continue;
        const Value rect = sendIfUnderstood(list[i], "GetRect");
        if (rect.isArray()) rt::send(*this, "SetTooltip", {tip, rect, number(static_cast<int64_t>(i + 1))});
    }
    return {};
}

Value XHeader::SetImageList(rt::Args args) {
    const Value& list = rt::arg(args, 0);
    if (ownsImageList() && !list.sameAs(oImageList())) sendIfUnderstood(oImageList(), "End");
    field(kImageList) = list;
    if (const intptr_t h = handleOf(list)) send(HDM_SETIMAGELIST, 0, h);
    return list;
}

Value XHeader::GetImageList(rt::Args) { return number(send(HDM_GETIMAGELIST)); }

bool XHeader::takeFlag(int position) {
    const bool on = field(position).asLogical();
    field(position) = false;
    return on;
}

Value XHeader::fireItemEvent(const EventRef& headerEvent, const EventRef& itemEvent, int64_t x, int64_t y,
                             int64_t item) {
    const Value answer = fireEvent(*this, headerEvent, {number(x), number(y), number(item)});
    if (!answer.isNil()) return answer;
    if (auto object = rt::objectAs<XHeaderItem>(itemAt(item))) return fireEvent(*object, itemEvent, {number(x), number(y)});
    return {};
}

Value XHeader::Notify(rt::Args args) {
    auto* nm = reinterpret_cast<NMHEADERA*>(pointerArg(args, 1));
    if (!nm || !windowExists()) return {};
    UINT code = nm->hdr.code;
    if (code <= HDN_ITEMCHANGINGW && code >= HDN_ITEMCHANGINGW - 19) code += kUnicodeNotifyShift;
    const int64_t notified = nm->iItem + 1;
    const auto [x, y] = cursor();
    switch (code) {
        case HDN_ITEMCHANGINGA: return fireEvent(*this, OnItemChanging);
        case HDN_ITEMCHANGEDA: SetTooltipZones({}); return fireEvent(*this, OnItemChanged);
        case HDN_ITEMCLICKA:
            // The click's events run after the notification has returned.
            PostMessageA(toHwnd(Handle()), kVorpexMessage, static_cast<WPARAM>(notified), MAKELPARAM(x, y));
            return {};
        case HDN_ITEMDBLCLICKA: fireItemEvent(OnDblClick, XHeaderItem::OnDblClick, x, y, notified); return {};
        case HDN_DIVIDERDBLCLICKA: {
            auto item = rt::objectAs<XHeaderItem>(itemAt(notified));
            if (item && item->EventAssigned(XHeaderItem::OnDividerDblClick))
                fireEvent(*item, XHeaderItem::OnDividerDblClick);
            else
                fireEvent(*this, OnDividerDblClick, {number(notified)});
            return {};
        }
        case HDN_BEGINTRACKA: {
            if (!field(kResize).asLogical()) return Value(true);
            const int64_t width = nm->pitem && (nm->pitem->mask & HDI_WIDTH) ? nm->pitem->cxy : 0;
            fireEvent(*this, OnBeginTrack, {number(notified), number(width)});
            return Value(takeFlag(kCancelTrack));
        }
        case HDN_ENDTRACKA: {
            const int64_t width = nm->pitem && (nm->pitem->mask & HDI_WIDTH) ? nm->pitem->cxy : 0;
            fireEvent(*this, OnEndTrack, {number(notified), number(width)});
            return Value(takeFlag(kCancelTrack));
        }
        case HDN_TRACKA: return fireEvent(*this, OnTrack);
        case HDN_BEGINDRAG: return fireEvent(*this, OnBeginDrag);
        case HDN_ENDDRAG: {
            const int64_t order = nm->pitem ? nm->pitem->iOrder + 1 : 0;
            fireEvent(*this, OnEndDrag, {number(notified), number(order)});
            if (takeFlag(kCancelDrag)) return Value(true);
            PostMessageA(toHwnd(Handle()), kVorpexMessage, kRebuildTips, 0);  // zones follow the move
            return Value(false);
        }
        case HDN_FILTERCHANGE: fireEvent(*this, OnFilterChange, {number(notified)}); return Value(true);
        case HDN_FILTERBTNCLICK: fireEvent(*this, OnFilterBtnClick, {number(notified)}); return Value(true);
        case NM_CUSTOMDRAW: return customDraw(nm);
        case NM_RCLICK: {
            const int64_t item = itemAtPoint(x, y);
            if (item) fireItemEvent(OnRClick, XHeaderItem::OnRClick, x, y, item);
            PostMessageA(toHwnd(Handle()), WM_MOUSELEAVE, 0, 0);
            InvalidateRect(toHwnd(Handle()), nullptr, FALSE);
            return {};
        }
        default: return {};
    }
}

Value XHeader::customDraw(void* data) {
    auto* draw = static_cast<NMCUSTOMDRAW*>(data);
    switch (draw->dwDrawStage) {
        case CDDS_PREPAINT: return number(CDRF_NOTIFYITEMDRAW);
        case CDDS_ITEMPREPAINT: return number(CDRF_NOTIFYPOSTPAINT);
        case CDDS_ITEMPOSTPAINT: {
            const auto position = static_cast<int64_t>(draw->dwItemSpec) + 1;
            if (position >= 1) paintHeaderItem(*this, itemAt(position), *draw);
            return number(CDRF_SKIPDEFAULT);
        }
        default: return {};
    }
}

Value XHeader::WMVorpex(rt::Args args) {
    const int64_t what = rt::arg(args, 0).asInteger();
    const intptr_t lParam = pointerArg(args, 1);
    if (what == kRebuildTips) return SetTooltipZones({}), Value(0);
    if (what > 0) {
        fireItemEvent(OnClick, XHeaderItem::OnClick, static_cast<int16_t>(LOWORD(lParam)), static_cast<int16_t>(HIWORD(lParam)), what);
        return Value(0);
    }
    // Only the header's own child (its filter edit box) may be destroyed through this message.
    if (what == kDestroyChild && IsChild(toHwnd(Handle()), toHwnd(lParam))) DestroyWindow(toHwnd(lParam));
    if (what == kFocusWindow && IsWindow(toHwnd(lParam))) ::SetFocus(toHwnd(lParam));
    return Value(0);
}

Value XHeader::WMParentNotify(rt::Args args) {
    const int64_t wParam = rt::arg(args, 0).asInteger();
    const int event = LOWORD(wParam);
    if (event == WM_DESTROY) {
        if (HWND focused = GetFocus()) ::SetFocus(focused);
        return {};
    }
    if (event != WM_CREATE) return {};
    const HWND child = toHwnd(pointerArg(args, 1));
    const Value answer = fireEvent(*this, OnFilterEdit, {HitTest({})});
    if (!answer.isLogical() || answer.asLogical()) return {};
    HWND focused = GetFocus();
    if (focused == child)
        PostMessageA(toHwnd(Handle()), kVorpexMessage, static_cast<WPARAM>(kDestroyChild), reinterpret_cast<LPARAM>(child));
    else
        PostMessageA(toHwnd(Handle()), kVorpexMessage, static_cast<WPARAM>(kFocusWindow), reinterpret_cast<LPARAM>(focused));
    return Value(0);
}

// ---------------------------------------------------------------- the items

const rt::Class& XHeaderItem::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XHeaderItem;
        VPClass b("XHeaderItem", &TComponent::classRecord(), rt::factoryOf<XHeaderItem>());
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published, .setter = &X::SetText});
        kWidth = b.addProperty({.name = "nWidth", .initial = 50, .type = "N", .scope = Published,
                                .getter = &X::GetWidth, .setter = &X::SetWidth});
        kOrder = b.addProperty({.name = "nOrder", .initial = 0, .type = "N", .scope = Published,
                                .getter = &X::GetOrder, .setter = &X::SetOrder});
        kSort = b.addProperty({.name = "nSort", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetSort,
                               .choices = choiceList({{"hsNONE", 0}, {"hsASCENDING", 1}, {"hsDESCENDING", -1}})});
        kAlignment = b.addProperty({.name = "nAlignment", .initial = 0, .type = "N", .scope = Published,
                                    .setter = &X::SetAlignment,
                                    .choices = choiceList({{"taLEFT", 0}, {"taRIGHT", 2}, {"taCENTER", 6}})});
        kTooltip = b.addProperty({.name = "cTooltip", .initial = "", .type = "C", .scope = Published,
                                  .setter = &X::SetTooltipText});
        kFilter = b.addProperty({.name = "cFilter", .initial = "", .type = "C", .scope = Published,
                                 .getter = &X::GetFilter, .setter = &X::SetFilter});
        kImage = b.addProperty({.name = "nImage", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetImage});
        b.addEvent("OnClick", Published, "oSender, nPosX, nPosY");
        b.addEvent("OnDblClick", Published, "oSender, nPosX, nPosY");
        b.addEvent("OnRClick", Published, "oSender, nPosX, nPosY");
        b.addEvent("OnDividerDblClick", Published, "oSender");
        kIndex = b.addData("nIndex", 0, "N", Exported);
        addMembers<XHeaderItem>(b);
        b.addMethod("ClearFilter", [](rt::Object& self, const rt::Method&, rt::Args) {
            auto& item = static_cast<XHeaderItem&>(self);
            return sendIfUnderstood(Value(item.oParent()), "ClearFilter", {number(item.nIndex())});
        });
        return b.create();
    }();
    return c;
}

XHeader* XHeaderItem::header() const { return dynamic_cast<XHeader*>(oParent().get()); }

intptr_t XHeaderItem::liveWindow() const {
    XHeader* h = header();
    return h && nIndex() > 0 ? h->Handle() : 0;
}

Value XHeaderItem::Create(rt::Args args) {
    TComponent::Create(args);
    if (XHeader* h = header()) h->placeItem(selfValue(), nIndex());
    Insert({});
    return selfValue();
}

Value XHeaderItem::End(rt::Args args) {
    if (XHeader* h = header(); h && nIndex() > 0) h->DeleteItem(std::vector<Value>{number(nIndex())});
    return XComponent::End(args);
}

Value XHeaderItem::Insert(rt::Args) {
    XHeader* h = header();
    if (!h || !h->windowExists()) return Value(false);
    const header::ItemSpec spec{cText().asString(), nAlignment(), field(kWidth).asInteger(), nImage(), nSort(),
                                field(kFilter).asString()};
    setIndex(header::insertItem(h->Handle(), nIndex(), spec));
    field(kOrder) = number(nIndex());
    return Value(nIndex() > 0);
}

Value XHeaderItem::SetText(rt::Args args) {
    field(kText) = rt::arg(args, 0);
    if (const intptr_t w = liveWindow()) header::setItem(w, nIndex(), change(&header::ItemChange::text, cText().asString()));
    return field(kText);
}

Value XHeaderItem::SetWidth(rt::Args args) {
    field(kWidth) = number(rt::arg(args, 0).asInteger());
    if (const intptr_t w = liveWindow()) header::setItem(w, nIndex(), change(&header::ItemChange::width, field(kWidth).asInteger()));
    return field(kWidth);
}

Value XHeaderItem::GetWidth(rt::Args) {
    if (const intptr_t w = liveWindow())
        if (const int64_t width = header::itemWidth(w, nIndex()); width != -1) field(kWidth) = number(width);
    return field(kWidth);
}

Value XHeaderItem::SetOrder(rt::Args args) {
    field(kOrder) = number(rt::arg(args, 0).asInteger());
    if (const intptr_t w = liveWindow()) header::setItem(w, nIndex(), change(&header::ItemChange::order, field(kOrder).asInteger()));
    return field(kOrder);
}

Value XHeaderItem::GetOrder(rt::Args) {
    if (const intptr_t w = liveWindow())
        if (const int64_t order = header::itemOrder(w, nIndex()); order != -1) field(kOrder) = number(order);
    return field(kOrder);
}

Value XHeaderItem::SetAlignment(rt::Args args) {
    field(kAlignment) = number(rt::arg(args, 0).asInteger());
    if (const intptr_t w = liveWindow()) header::setItem(w, nIndex(), change(&header::ItemChange::alignment, nAlignment()));
    return field(kAlignment);
}

Value XHeaderItem::GetRect(rt::Args) {
    const intptr_t w = liveWindow();
    const auto r = w ? header::itemRect(w, nIndex()) : std::nullopt;
    if (!r) return {};
    return Value::array({number(r->left), number(r->top), number(r->right), number(r->bottom)});
}

Value XHeaderItem::GetFilter(rt::Args) {
    // A header that keeps no filters of its own leaves the item's text as it was set.
    if (const intptr_t w = liveWindow())
        if (const auto filter = header::itemFilter(w, nIndex())) field(kFilter) = Value(*filter);
    return field(kFilter);
}

Value XHeaderItem::SetFilter(rt::Args args) {
    const Value& filter = rt::arg(args, 0);
    field(kFilter) = filter.isString() ? filter : Value("");
    if (const intptr_t w = liveWindow()) header::setItemFilter(w, nIndex(), field(kFilter).asString());
    return field(kFilter);
}

Value XHeaderItem::SetSort(rt::Args args) {
    const int64_t sort = rt::arg(args, 0).asInteger();
    const bool changed = sort != nSort();
    field(kSort) = number(sort);
    if (const intptr_t w = liveWindow(); w && changed) {
        header::setItemSort(w, nIndex(), sort);
        InvalidateRect(toHwnd(w), nullptr, TRUE);
    }
    return field(kSort);
}

Value XHeaderItem::SetImage(rt::Args args) {
    const int64_t previous = nImage();
    field(kImage) = number(rt::arg(args, 0).asInteger());
    if (const intptr_t w = liveWindow()) {
        header::setItem(w, nIndex(), change(&header::ItemChange::image, nImage()));
        if (previous == 0 && nImage() != 0) header()->Rebuild({});
    }
    return field(kImage);
}

Value XHeaderItem::SetTooltipText(rt::Args args) {
    field(kTooltip) = rt::arg(args, 0);
    if (XHeader* h = header()) h->SetTooltipZones({});
    return field(kTooltip);
}

}  // namespace vorpex
