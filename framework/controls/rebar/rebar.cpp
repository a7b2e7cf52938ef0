#include "framework/controls/rebar/rebar.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "framework/core/native/casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/window/object_link.h"
#include "framework/graphics/image_list/image_list.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;

std::optional<int64_t> optionalNumber(const Value& v) {
    if (!v.isNumber()) return std::nullopt;
    return v.asInteger();
}

}  // namespace

// ---- the rebar

const rt::Class& XRebar::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XRebar;
        VPClass b("XRebar", &TWinControl::classRecord(), rt::factoryOf<XRebar>());
        auto style = [](int& position, int64_t bits) {
            return rt::NativeMethod([&position, bits](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                return static_cast<X&>(o).styleSetter(position, bits, a);
            });
        };
        b.addProperty({.name = "nLeft", .scope = Published});
        b.addProperty({.name = "nTop", .scope = Published});
        b.record().redeclareField(kLeft, Value(), "N");
        b.record().redeclareField(kTop, Value(), "N");
        b.addProperty({.name = "nWidth", .initial = 120, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 30, .scope = Published});
        b.addProperty({.name = "lBorder", .initial = true, .type = "L", .scope = Published, .setter = &X::SetBorder});
        b.addProperty({.name = "nAlign", .initial = 2, .type = "N", .scope = Published, .setter = &X::SetAlignStyle});
        kBandBorders = b.addProperty({.name = "lBandBorders", .initial = true, .type = "L", .scope = Published,
                                      .setter = style(kBandBorders, RBS_BANDBORDERS)});
        kDblClkToggle = b.addProperty({.name = "lDblClkToggle", .initial = false, .type = "L", .scope = Published,
                                       .setter = style(kDblClkToggle, RBS_DBLCLKTOGGLE)});
        kFixedOrder = b.addProperty({.name = "lFixedOrder", .initial = false, .type = "L", .scope = Published,
                                     .setter = style(kFixedOrder, RBS_FIXEDORDER)});
        kVarHeight = b.addProperty({.name = "lVarHeight", .initial = true, .type = "L", .scope = Published,
                                    .setter = style(kVarHeight, RBS_VARHEIGHT)});
        kImages = b.addProperty(
            {.name = "oImageList", .type = "TImageList", .scope = Published, .editor = "PE_ImageList"});
        b.record().redeclareField(kWinClassName, Value(REBARCLASSNAMEA), "C");
        b.record().redeclareField(kCtlStyle,
                                  number(WS_CHILD | WS_CLIPCHILDREN | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                                         RBS_BANDBORDERS | RBS_VARHEIGHT),
                                  "N");
        b.record().redeclareField(kExStyle, number(WS_EX_TOOLWINDOW), "N");
        kItems = b.addProperty({.name = "aItems", .initial = Value::array(), .type = "A", .scope = Published,
                                .readOnly = true});
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"SetAlign", &X::SetAlignStyle},       {"SetBorder", &X::SetBorder},
            {"AddItem", &X::AddItem},              {"InsertControl", &X::InsertBandControl},
            {"RemoveControl", &X::RemoveBandControl}, {"Notify", &X::Notify},
            {"GetItemRect", &X::GetItemRect},      {"HitTest", &X::HitTest},
            // The rebar lays out, erases and prints its bands itself.
            {"AlignControls", &X::Nothing},        {"WMSize", &X::Nothing},
            {"WMEraseBkgnd", &X::Nothing},         {"WMPrintClient", &X::Nothing}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        return b.create();
    }();
    return c;
}

std::vector<Value>& XRebar::itemList() {
    if (!field(kItems).isArray()) field(kItems) = Value::array();
    return field(kItems).asArray()->items;
}

std::vector<std::shared_ptr<XRebarBand>> XRebar::bands() const {
    std::vector<std::shared_ptr<XRebarBand>> out;
    if (auto a = field(kItems).asArray())
        for (const Value& v : a->items)
            if (auto band = rt::objectAs<XRebarBand>(v)) out.push_back(band);
    return out;
}

bool XRebar::vertical() const { return (nCtlStyle() & CCS_VERT) != 0; }

int64_t XRebar::send(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (!windowExists()) return 0;
    return SendMessageA(reinterpret_cast<HWND>(Handle()), message, wParam, lParam);
}

Value XRebar::New(rt::Args args) {
    field(kImages) = rt::send(classCall(TImageList::classRecord()), "Create", {selfObject()});
    return TWinControl::New(args);
}

Value XRebar::Create(rt::Args args) {
    setExStyle(ctl::changeBits(nExStyle(), WS_EX_STATICEDGE, field(kBorder).asLogical()));
    int64_t style = nCtlStyle();
    style = ctl::changeBits(style, RBS_FIXEDORDER, field(kFixedOrder).asLogical());
    style = ctl::changeBits(style, RBS_VARHEIGHT, field(kVarHeight).asLogical());
    style = ctl::changeBits(style, RBS_BANDBORDERS, field(kBandBorders).asLogical());
    setCtlStyle(style);
    SetAlignStyle(std::vector<Value>{field(kAlign)});
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    TWinControl::Create(args);
    REBARINFO info{sizeof info, RBIM_IMAGELIST, reinterpret_cast<HIMAGELIST>(handleOf(field(kImages)))};
    send(RB_SETBARINFO, 0, reinterpret_cast<intptr_t>(&info));
    // Bands added before the window existed join it now.
    for (const auto& band : bands())
        if (!band->inserted()) band->InsertNative({});
    return selfObject();
}

Value XRebar::Free(rt::Args args) {
    const std::vector<Value> items = itemList();
    for (auto it = items.rbegin(); it != items.rend(); ++it) rt::send(*it, "End");
    const Value list = field(kImages);
    if (list.isObject() && rt::send(list, "oParent").sameAs(selfObject())) rt::send(list, "End");
    field(kImages) = Value();
    return TWinControl::Free(args);
}

Value XRebar::styleSetter(int position, int64_t style, rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    ChangeCtlStyle(std::vector<Value>{number(style), Value(on)});
    field(position) = on;
    return Value(on);
}

Value XRebar::SetAlignStyle(rt::Args args) {
    const int64_t align = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : 2;
    field(kAlign) = number(align);
    int64_t style = nCtlStyle() & ~int64_t{1 | 3 | 129 | 131};
    const int64_t bits[] = {0, 129, 1, 131, 3};
    if (align >= 1 && align <= 4) style |= bits[align];
    setCtlStyle(style);
    ChangeExStyle({});
    return number(align);
}

Value XRebar::SetBorder(rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    field(kBorder) = on;
    ChangeExStyle(std::vector<Value>{number(WS_EX_STATICEDGE), Value(on)});
    return Value(on);
}

Value XRebar::AddItem(rt::Args args) {
    std::vector<Value> all{selfObject()};
    all.insert(all.end(), args.begin(), args.end());
    return rt::send(classCall(TRebarBand::classRecord()), rt::Symbol::intern("Create"), all);
}

Value XRebar::InsertBandControl(rt::Args args) {
    const Value& control = rt::arg(args, 0);
    const Value controls = rt::send(*this, "aControls");
    const size_t n = (controls.isArray() ? controls.asArray()->items.size() : 0) + 1;
    TWinControl::InsertControl(args);
    const auto list = bands();
    if (n > list.size() || !list[n - 1]->oControl().isNil()) return {};
    const auto& band = list[n - 1];
    band->SetControl(std::vector<Value>{control});
    // A band created before its control had a window is in the rebar already: it only takes the child.
    if (!band->inserted()) band->InsertNative({});
    return {};
}

Value XRebar::RemoveBandControl(rt::Args args) {
    const Value& control = rt::arg(args, 0);
    std::shared_ptr<XRebarBand> holder;
    for (const auto& band : bands())
        if (band->oControl().sameAs(control)) holder = band;
    TWinControl::RemoveControl(args);
    if (holder) holder->Delete({});
    return {};
}

Value XRebar::Notify(rt::Args args) {
    auto* header = reinterpret_cast<NMHDR*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!header || header->code != static_cast<UINT>(RBN_HEIGHTCHANGE)) return {};
    // The parent lays its children out again, with its real client size.
    HWND parent = GetParent(reinterpret_cast<HWND>(Handle()));
    RECT client{};
    if (parent && GetClientRect(parent, &client))
        PostMessageA(parent, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    return {};
}

Value XRebar::GetItemRect(rt::Args args) {
    RECT r{};
    const int64_t index = send(RB_IDTOINDEX, static_cast<uintptr_t>(rt::arg(args, 0).asInteger()));
    if (index >= 0) send(RB_GETRECT, static_cast<uintptr_t>(index), reinterpret_cast<intptr_t>(&r));
    return Value::array({number(r.left), number(r.top), number(r.right), number(r.bottom)});
}

Value XRebar::HitTest(rt::Args args) {
    RBHITTESTINFO hit{};
    hit.pt = {static_cast<LONG>(rt::arg(args, 0).asInteger()), static_cast<LONG>(rt::arg(args, 1).asInteger())};
    send(RB_HITTEST, 0, reinterpret_cast<intptr_t>(&hit));
    if (hit.iBand < 0 || !windowExists()) return number(0);
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_ID;
    send(RB_GETBANDINFOA, static_cast<uintptr_t>(hit.iBand), reinterpret_cast<intptr_t>(&info));
    return number(info.wID);
}

// ---- the band

const rt::Class& XRebarBand::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XRebarBand;
        VPClass b("XRebarBand", &TComponent::classRecord(), rt::factoryOf<XRebarBand>());
        auto info = [](size_t at) {
            return rt::NativeMethod([at](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                return static_cast<X&>(o).infoSetter(at, a);
            });
        };
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published, .setter = info(0)});
        kImage = b.addProperty({.name = "nImage", .initial = 0, .type = "N", .scope = Published, .setter = info(1),
                                .editor = "PE_ImageIndex"});
        kBreak = b.addProperty({.name = "lBreak", .initial = false, .type = "L", .scope = Published, .setter = info(2)});
        kChildEdge =
            b.addProperty({.name = "lChildEdge", .initial = false, .type = "L", .scope = Published, .setter = info(3)});
        kFixedBmp =
            b.addProperty({.name = "lFixedBmp", .initial = false, .type = "L", .scope = Published, .setter = info(4)});
        kFixedSize =
            b.addProperty({.name = "lFixedSize", .initial = false, .type = "L", .scope = Published, .setter = info(5)});
        kGripper = b.addProperty({.name = "lGripper", .type = "L", .scope = Published, .setter = info(6),
                                  .choices = choiceList({{"rgDEFAULT", Value()}, {"rgALWAYS", Value(true)},
                                                         {"rgNEVER", Value(false)}})});
        kBkgnd = b.addProperty({.name = "oBkgnd", .type = "TPicture", .scope = Published, .setter = &X::SetBkgnd,
                                .editor = "PE_Picture"});
        kVisible = b.addProperty({.name = "lVisible",
                                  .initial = true,
                                  .type = "L",
                                  .scope = Published,
                                  .setter = rt::NativeMethod([](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                                      rt::send(o, rt::arg(a, 0).asLogical() ? "Show" : "Hide");
                                      return rt::arg(a, 0);
                                  })});
        kControl = b.addProperty({.name = "oControl", .type = "TControl", .scope = Published, .setter = &X::SetControl,
                                  .editor = "PE_Control"});
        kIndex = b.addData("nIndex", Value(), "N", Exported | ReadOnly);
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"AddItem", &X::InsertNative}, {"SetInfo", &X::SetInfo}, {"SetControl", &X::SetControl},
            {"SetBkgnd", &X::SetBkgnd},    {"Show", &X::Show},       {"Hide", &X::Hide},
            {"Delete", &X::Delete}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        return b.create();
    }();
    return c;
}

rebar::BandFlags XRebarBand::flags() const {
    rebar::BandFlags f{field(kBreak).asLogical(), field(kChildEdge).asLogical(), field(kFixedBmp).asLogical(),
                       field(kFixedSize).asLogical(), std::nullopt};
    if (field(kGripper).isLogical()) f.gripper = field(kGripper).asLogical();
    return f;
}

int64_t XRebarBand::nativeIndex() {
    auto owner = rebar();
    return owner ? owner->send(RB_IDTOINDEX, static_cast<uintptr_t>(nIndex())) : -1;
}

Value XRebarBand::Create(rt::Args args) {
    if (!rt::arg(args, 8).isNil()) field(kGripper) = rt::arg(args, 8);
    if (!rt::arg(args, 3).isNil()) SetBkgnd(std::vector<Value>{rt::arg(args, 3)});
    SetInfo(std::vector<Value>{rt::arg(args, 1), rt::arg(args, 2), rt::arg(args, 4), rt::arg(args, 5),
                               rt::arg(args, 6), rt::arg(args, 7), rt::arg(args, 8)});
    TComponent::Create(std::vector<Value>{rt::arg(args, 0)});
    auto owner = rebar();
    if (!owner) return selfValue();
    std::vector<Value>& items = owner->itemList();
    if (!field(kIndex).isNumber()) {
        std::vector<int64_t> ids;
        for (const auto& band : owner->bands()) ids.push_back(band->nIndex());
        field(kIndex) = number(rebar::nextBandId(ids));
    }
    items.push_back(selfValue());
    InsertNative({});
    if (rt::arg(args, 9).isLogical()) rt::send(*this, "_lVisible", {rt::arg(args, 9)});
    return selfValue();
}

Value XRebarBand::InsertNative(rt::Args) {
    auto owner = rebar();
    if (!owner || !owner->windowExists() || inserted_) return {};
    const std::string text = field(kText).asString();
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE | RBBIM_COLORS | RBBIM_TEXT | RBBIM_IMAGE | RBBIM_BACKGROUND | RBBIM_ID;
    info.fStyle = static_cast<UINT>(rebar::bandStyle(flags(), true));
    info.clrFore = static_cast<COLORREF>(rt::send(*owner, "nClrText").asInteger());
    info.clrBack = static_cast<COLORREF>(rt::send(*owner, "nClrPane").asInteger());
    info.lpText = const_cast<char*>(text.c_str());
    info.cch = static_cast<UINT>(text.size() + 1);
    info.iImage = static_cast<int>(field(kImage).asInteger() - 1);
    info.hbmBack = reinterpret_cast<HBITMAP>(handleOf(field(kBkgnd)));
    info.wID = static_cast<UINT>(nIndex());
    const intptr_t child = handleOf(field(kControl));
    if (child) {
        RECT r{};
        GetWindowRect(reinterpret_cast<HWND>(child), &r);
        const rebar::ChildSize s = rebar::childSize(r.right - r.left, r.bottom - r.top, std::nullopt, std::nullopt,
                                                    std::nullopt, std::nullopt, owner->vertical());
        info.fMask |= RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
        info.hwndChild = reinterpret_cast<HWND>(child);
        info.cxMinChild = static_cast<UINT>(s.minWidth);
        info.cx = static_cast<UINT>(s.width);
        info.cxIdeal = static_cast<UINT>(s.idealWidth);
        info.cyChild = info.cyMinChild = info.cyMaxChild = static_cast<UINT>(s.height);
    }
    inserted_ = owner->send(RB_INSERTBANDA, static_cast<uintptr_t>(-1), reinterpret_cast<intptr_t>(&info)) != 0;
    attachChild();
    return {};
}

void XRebarBand::attachChild() {
    auto owner = rebar();
    const intptr_t child = handleOf(field(kControl));
    if (owner && owner->windowExists() && child) ::SetParent(reinterpret_cast<HWND>(child), reinterpret_cast<HWND>(owner->Handle()));
}

Value XRebarBand::infoSetter(size_t at, rt::Args args) {
    std::vector<Value> info(7);
    info[at] = rt::arg(args, 0);
    // lGripper's NIL is a value of its own: the control decides.
    if (at == 6 && info[at].isNil()) info[at] = Value("");
    SetInfo(info);
    return rt::arg(args, 0);
}

Value XRebarBand::SetInfo(rt::Args args) {
    if (rt::arg(args, 0).isString()) field(kText) = rt::arg(args, 0);
    if (rt::arg(args, 1).isNumber()) field(kImage) = rt::arg(args, 1);
    const int logicals[] = {kBreak, kChildEdge, kFixedBmp, kFixedSize};
    for (size_t i = 0; i < std::size(logicals); ++i)
        if (rt::arg(args, 2 + i).isLogical()) field(logicals[i]) = rt::arg(args, 2 + i);
    const Value& gripper = rt::arg(args, 6);
    if (gripper.isLogical()) field(kGripper) = gripper;
    else if (!gripper.isNil()) field(kGripper) = Value();
    if (!inserted_) return {};
    const std::string text = field(kText).asString();
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_IMAGE | RBBIM_BACKGROUND;
    info.fStyle = static_cast<UINT>(rebar::bandStyle(flags(), false));
    info.lpText = const_cast<char*>(text.c_str());
    info.cch = static_cast<UINT>(text.size() + 1);
    info.iImage = static_cast<int>(field(kImage).asInteger() - 1);
    info.hbmBack = reinterpret_cast<HBITMAP>(handleOf(field(kBkgnd)));
    if (auto owner = rebar())
        owner->send(RB_SETBANDINFOA, static_cast<uintptr_t>(nativeIndex()), reinterpret_cast<intptr_t>(&info));
    return {};
}

Value XRebarBand::SetControl(rt::Args args) {
    const Value& control = rt::arg(args, 0);
    field(kControl) = control;
    auto owner = rebar();
    const intptr_t child = handleOf(control);
    if (!owner || !owner->windowExists() || !child || !inserted_) return control;
    RECT r{};
    GetWindowRect(reinterpret_cast<HWND>(child), &r);
    const rebar::ChildSize s =
        rebar::childSize(r.right - r.left, r.bottom - r.top, optionalNumber(rt::arg(args, 1)),
                         optionalNumber(rt::arg(args, 2)), optionalNumber(rt::arg(args, 3)),
                         optionalNumber(rt::arg(args, 4)), owner->vertical());
    REBARBANDINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_IDEALSIZE;
    info.hwndChild = reinterpret_cast<HWND>(child);
    info.cx = static_cast<UINT>(s.width);
    info.cxMinChild = static_cast<UINT>(s.minWidth);
    info.cxIdeal = static_cast<UINT>(s.idealWidth);
    info.cyChild = info.cyMaxChild = static_cast<UINT>(s.height);
    info.cyMinChild = static_cast<UINT>(s.minHeight);
    owner->send(RB_SETBANDINFOA, static_cast<uintptr_t>(nativeIndex()), reinterpret_cast<intptr_t>(&info));
    attachChild();
    return control;
}

Value XRebarBand::SetBkgnd(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    // The same picture given again stays; only one being replaced ends.
    if (field(kBkgnd).isObject() && !field(kBkgnd).sameAs(given)) rt::send(field(kBkgnd), "End");
    Value picture = given;
    if (!given.isNil() && !given.isObject()) picture = createByClassName("TPicture", "Create", {given});
    field(kBkgnd) = picture;
    SetInfo({});
    return picture;
}

Value XRebarBand::Show(rt::Args) {
    field(kVisible) = true;
    if (auto owner = rebar(); owner && inserted_) owner->send(RB_SHOWBAND, static_cast<uintptr_t>(nativeIndex()), TRUE);
    return Value(true);
}

Value XRebarBand::Hide(rt::Args) {
    field(kVisible) = false;
    if (auto owner = rebar(); owner && inserted_) owner->send(RB_SHOWBAND, static_cast<uintptr_t>(nativeIndex()), FALSE);
    return Value(false);
}

Value XRebarBand::Delete(rt::Args) {
    auto owner = rebar();
    if (!owner) return {};
    std::vector<Value>& items = owner->itemList();
    auto at = std::find_if(items.begin(), items.end(), [this](const Value& v) { return v.asObject().get() == this; });
    if (at == items.end()) return {};
    if (inserted_) owner->send(RB_DELETEBAND, static_cast<uintptr_t>(nativeIndex()));
    inserted_ = false;
    const Value keep = *at;
    items.erase(at);
    rt::send(keep, "End");
    return {};
}

Value XRebarBand::Free(rt::Args args) {
    field(kControl) = Value();
    if (field(kBkgnd).isObject()) rt::send(field(kBkgnd), "End");
    field(kBkgnd) = Value();
    return TComponent::Free(args);
}

}  // namespace vorpex
