#include "framework/controls/toolbar/toolbar.h"

#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/toolbar/tool_button.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/window/object_link.h"
#include "framework/graphics/image_list/image_list.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

using native::number;
using win::rectValue;

Value newImageList(const Value& owner) {
    return rt::send(classCall(TImageList::classRecord()), "Create", {owner});
}


}  // namespace

const rt::Class& XToolBar::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XToolBar;
        VPClass b("XToolBar", &TControl::classRecord(), rt::factoryOf<XToolBar>());
        auto style = [](int& position, int64_t bits) {
            return rt::NativeMethod([&position, bits](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                return static_cast<X&>(o).styleSetter(position, bits, a);
            });
        };
        auto list = [](int& position, unsigned message) {
            return rt::NativeMethod([&position, message](rt::Object& o, const rt::Method&, rt::Args a) -> Value {
                return static_cast<X&>(o).setList(position, message, a);
            });
        };
        b.addProperty({.name = "nWidth", .initial = 120, .scope = Published});
        b.addProperty({.name = "nHeight", .initial = 28, .scope = Published});
        kBtnWidth = b.addProperty({.name = "nBtnWidth", .initial = 0, .type = "N", .scope = Published});
        kBtnHeight = b.addProperty({.name = "nBtnHeight", .initial = 0, .type = "N", .scope = Published});
        kIndent = b.addProperty({.name = "nIndent", .initial = 0, .type = "N", .scope = Published});
        kFlat = b.addProperty(
            {.name = "lFlat", .initial = true, .type = "L", .scope = Published, .setter = style(kFlat, TBSTYLE_FLAT)});
        b.addProperty({.name = "lTransparent", .initial = true, .type = "L", .scope = Published,
                       .setter = style(kTransparent, TBSTYLE_TRANSPARENT)});
        kList = b.addProperty(
            {.name = "lList", .initial = false, .type = "L", .scope = Published, .setter = style(kList, TBSTYLE_LIST)});
        kWrapable = b.addProperty({.name = "lWrapable", .initial = false, .type = "L", .scope = Published,
                                   .setter = style(kWrapable, TBSTYLE_WRAPABLE)});
        b.addProperty({.name = "nAlign", .initial = 2, .type = "N", .scope = Published, .setter = &X::SetAlignStyle});
        kAutoSize = b.addProperty({.name = "lAutoSize", .initial = true, .type = "L", .scope = Published});
        kAlwaysTip = b.addProperty({.name = "lAlwaysTip", .initial = false, .type = "L", .scope = Published});
        kBalloons = b.addProperty({.name = "lBalloons", .initial = false, .type = "L", .scope = Published});
        b.addProperty({.name = "nBorderStyle", .initial = 0, .scope = Published});
        kImages = b.addProperty({.name = "oImageList", .type = "TImageList", .scope = Published,
                                 .setter = list(kImages, TB_SETIMAGELIST), .editor = "PE_ImageList"});
        kHotImages = b.addProperty({.name = "oImageListHot", .type = "TImageList", .scope = Published,
                                    .setter = list(kHotImages, TB_SETHOTIMAGELIST), .editor = "PE_ImageList"});
        kDisabledImages = b.addProperty({.name = "oImageListDis", .type = "TImageList", .scope = Published,
                                         .setter = list(kDisabledImages, TB_SETDISABLEDIMAGELIST),
                                         .editor = "PE_ImageList"});
        b.record().redeclareField(kWinClassName, Value(TOOLBARCLASSNAMEA), "C");
        b.record().redeclareField(kCtlStyle,
                                  number(WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | CCS_NOPARENTALIGN |
                                         CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT |
                                         TBSTYLE_TRANSPARENT),
                                  "N");
        b.record().redeclareField(kExStyle, number(0), "N");
        // The bar has no text or tip of its own: its buttons have.
        for (const char* name : {"cText", "cBalloon", "cTooltip", "cTooltipTitle", "nTooltipIcon", "lBorder"})
            b.addProperty({.name = name, .scope = Published});
        for (int position : {kText, kBalloon, kTooltip, kTooltipTitle, kTooltipIcon, kBorder})
            b.record().redeclareField(position, Value(), "");
        kItems = b.addProperty({.name = "aItems", .initial = Value::array(), .type = "A", .scope = Published,
                                .readOnly = true});
        kBitmaps = b.addData("nBitmaps", 0, "N", Exported | ReadOnly);
        b.addMethod("aButtons", [](rt::Object& o, const rt::Method&, rt::Args) -> Value {
            return static_cast<X&>(o).field(kItems);
        });
        b.addProperty({.name = "oHots", .getter = "oImageListHot", .setter = list(kHotImages, TB_SETHOTIMAGELIST)});
        b.addProperty({.name = "oDisables", .getter = "oImageListDis",
                       .setter = list(kDisabledImages, TB_SETDISABLEDIMAGELIST)});
        const std::pair<const char*, Value (X::*)(rt::Args)> methods[] = {
            {"Scale", &X::ScaleButtons},          {"SetAlign", &X::SetAlignStyle},
            {"SetImageList", &X::SetImageList},   {"SetImageListHot", &X::SetImageListHot},
            {"SetImageListDis", &X::SetImageListDis}, {"FillImageList", &X::FillImageList},
            {"AddImages", &X::AddImages},         {"AddButton", &X::AddButton},
            {"AddItem", &X::AddItem},             {"InsertItem", &X::InsertItem},
            {"AddSeparator", &X::AddSeparator},   {"InsertSeparator", &X::InsertSeparator},
            {"DeleteItem", &X::DeleteItem},       {"BtnEnable", &X::BtnEnable},
            {"BtnDisable", &X::BtnDisable},       {"BtnShow", &X::BtnShow},
            {"BtnHide", &X::BtnHide},             {"BtnCheck", &X::BtnCheck},
            {"BtnUncheck", &X::BtnUncheck},       {"DropMenu", &X::DropMenu},
            {"Click", &X::ClickKey},              {"ShortCut", &X::ShortCutKey},
            {"SetShortCuts", &X::SetShortCuts},   {"Command", &X::CommandButton},
            {"Notify", &X::Notify},               {"WMSize", &X::WMSize},
            {"ResetButtons", &X::ResetButtons},   {"Adjust", &X::Adjust},
            {"GetItemRect", &X::GetItemRect},     {"HitTest", &X::HitTest}};
        for (const auto& [name, fn] : methods) b.addMethod(name, rt::method(fn));
        return b.create();
    }();
    return c;
}

// ---- the button set

std::vector<Value>& XToolBar::itemList() {
    if (!field(kItems).isArray()) field(kItems) = Value::array();
    return field(kItems).asArray()->items;
}

std::vector<std::shared_ptr<XToolButton>> XToolBar::buttons() const {
    std::vector<std::shared_ptr<XToolButton>> out;
    if (auto a = field(kItems).asArray())
        for (const Value& v : a->items)
            if (auto b = rt::objectAs<XToolButton>(v)) out.push_back(b);
    return out;
}

toolbar::BarSizing XToolBar::sizing() const {
    return {field(kBtnWidth).asInteger(), field(kBtnHeight).asInteger(), field(kList).asLogical()};
}

int64_t XToolBar::send(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (!windowExists()) return 0;
    return SendMessageA(reinterpret_cast<HWND>(Handle()), message, wParam, lParam);
}

void XToolBar::rebuild() {
    ResetButtons({});
    SetShortCuts({});
    Adjust({});
}

// ---- creation and lifetime

Value XToolBar::New(rt::Args args) {
    TControl::New(args);
    for (int position : {kImages, kHotImages, kDisabledImages}) field(position) = newImageList(selfObject());
    return selfObject();
}

Value XToolBar::Create(rt::Args args) {
    if (rt::arg(args, 1).isNumber()) field(kBtnWidth) = rt::arg(args, 1);
    if (rt::arg(args, 2).isNumber()) field(kBtnHeight) = rt::arg(args, 2);
    const std::pair<size_t, const char*> styles[] = {{3, "_lFlat"}, {4, "_lList"}, {5, "_lWrapable"}};
    for (const auto& [at, setter] : styles)
        if (rt::arg(args, at).isLogical()) rt::send(*this, setter, {rt::arg(args, at)});
    for (int position : {kImages, kHotImages, kDisabledImages})
        if (!field(position).isObject()) field(position) = newImageList(selfObject());
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    InitCommonControlsEx(&icc);
    TControl::Create(std::vector<Value>{rt::arg(args, 0)});
    if (!windowExists()) return selfObject();
    send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    send(TB_SETINDENT, static_cast<uintptr_t>(field(kIndent).asInteger()));
    send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    send(TB_SETSTYLE, 0, static_cast<intptr_t>(nCtlStyle() | TBSTYLE_CUSTOMERASE));
    sendImageLists();
    send(TB_SETBUTTONSIZE, 0, MAKELONG(field(kBtnWidth).asInt(), field(kBtnHeight).asInt()));
    if (field(kBalloons).asLogical()) {
        const Value balloon = createByClassName("TBalloon", "Create", {selfObject()});
        if (handleOf(balloon)) send(TB_SETTOOLTIPS, static_cast<uintptr_t>(handleOf(balloon)));
    }
    if (field(kAlwaysTip).asLogical()) {
        if (HWND tip = reinterpret_cast<HWND>(send(TB_GETTOOLTIPS))) {
            SetWindowLongPtrA(tip, GWL_STYLE, GetWindowLongPtrA(tip, GWL_STYLE) | TTS_ALWAYSTIP);
            SetWindowPos(tip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    }
    FillImageList({});
    rebuild();
    return selfObject();
}

Value XToolBar::Free(rt::Args args) {
    for (int position : {kImages, kHotImages, kDisabledImages}) {
        const Value list = field(position);
        if (list.isObject() && rt::send(list, "oParent").sameAs(selfObject())) rt::send(list, "End");
        field(position) = Value();
    }
    return TControl::Free(args);
}

// Sizes given in design pixels become screen pixels once, however often the bar is created or scaled.
Value XToolBar::ScaleButtons(rt::Args args) {
    if (buttonsScaled_) return {};
    buttonsScaled_ = true;
    const Value& given = rt::arg(args, 0);
    const int64_t scale = given.isNumber() ? given.asInteger() : sendIfUnderstood(rt::publicVar("Application"), "nScale").asInteger();
    if (scale == 100 || scale <= 0) return {};
    for (int position : {kBtnWidth, kBtnHeight}) field(position) = number(toolbar::scaled(field(position).asInteger(), scale));
    return {};
}

// ---- styles

Value XToolBar::styleSetter(int position, int64_t style, rt::Args args) {
    const bool on = rt::arg(args, 0).asLogical();
    ChangeCtlStyle(std::vector<Value>{number(style), Value(on)});
    if (windowExists()) send(TB_SETSTYLE, 0, static_cast<intptr_t>(nCtlStyle() | TBSTYLE_CUSTOMERASE));
    Adjust({});
    field(position) = on;
    return Value(on);
}

Value XToolBar::SetAlignStyle(rt::Args args) {
    const int64_t align = rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInteger() : 2;
    field(kAlign) = number(align);
    setCtlStyle(toolbar::alignedStyle(nCtlStyle(), align));
    ChangeCtlStyle(std::vector<Value>{number(TBSTYLE_WRAPABLE), Value(toolbar::wraps(align, field(kWrapable).asLogical()))});
    ChangeExStyle({});
    return number(align);
}

// ---- images

void XToolBar::sendImageLists() {
    send(TB_SETIMAGELIST, 0, handleOf(field(kImages)));
    send(TB_SETHOTIMAGELIST, 0, handleOf(field(kHotImages)));
    send(TB_SETDISABLEDIMAGELIST, 0, handleOf(field(kDisabledImages)));
}

Value XToolBar::setList(int position, unsigned message, rt::Args args) {
    const Value& list = rt::arg(args, 0);
    // The list held so far ends, unless it is the one given again.
    if (field(position).isObject() && !field(position).sameAs(list)) rt::send(field(position), "End");
    field(position) = list;
    send(message, 0, handleOf(list));
    FillImageList({});
    return list;
}

Value XToolBar::SetImageList(rt::Args args) { return setList(kImages, TB_SETIMAGELIST, args); }
Value XToolBar::SetImageListHot(rt::Args args) { return setList(kHotImages, TB_SETHOTIMAGELIST, args); }
Value XToolBar::SetImageListDis(rt::Args args) { return setList(kDisabledImages, TB_SETDISABLEDIMAGELIST, args); }

Value XToolBar::FillImageList(rt::Args) {
    const Value normal = field(kImages);
    const int64_t count = sendIfUnderstood(normal, "GetImageCount").asInteger();
    for (const auto& [position, disabled] : {std::pair{kHotImages, false}, std::pair{kDisabledImages, true}}) {
        const Value list = field(position);
        if (!list.isObject()) continue;
        for (int64_t i = rt::send(list, "GetImageCount").asInteger() + 1; i <= count; ++i)
            rt::send(list, "Add", {rt::send(normal, "GetBitmap", {number(i)}), Value(disabled)});
    }
    return {};
}

Value XToolBar::AddImages(rt::Args args) {
    const Value& images = rt::arg(args, 0);
    if (!images.isArray()) return {};
    auto element = [&args](size_t which, size_t i) -> Value {
        const Value& list = rt::arg(args, which);
        if (!list.isArray() || i >= list.asArray()->items.size()) return {};
        const Value& v = list.asArray()->items[i];
        return v.isString() ? v : Value();
    };
    const auto& items = images.asArray()->items;
    for (size_t i = 0; i < items.size(); ++i) {
        sendIfUnderstood(field(kImages), "Add", {items[i]});
        const Value hot = element(1, i);
        sendIfUnderstood(field(kHotImages), "Add", {hot.isNil() ? items[i] : hot});
        const Value disabled = element(2, i);
        sendIfUnderstood(field(kDisabledImages), "Add", {disabled.isNil() ? items[i] : disabled, Value(disabled.isNil())});
        field(kBitmaps) = number(field(kBitmaps).asInteger() + 1);
    }
    return {};
}

// ---- buttons

Value XToolBar::newButton(int64_t position, bool separator, rt::Args rest) {
    std::vector<Value> args{selfObject(), number(position), Value(separator)};
    args.insert(args.end(), rest.begin(), rest.end());
    return rt::send(classCall(TToolButton::classRecord()), rt::Symbol::intern("Create"), args);
}

Value XToolBar::AddButton(rt::Args args) {
    AddImages(std::vector<Value>{Value::array({rt::arg(args, 1)}), Value::array({rt::arg(args, 2)}),
                                 Value::array({rt::arg(args, 3)})});
    const Value button = newButton(0, false, std::vector<Value>{rt::arg(args, 0), field(kBitmaps), rt::arg(args, 4),
                                                                Value(), Value(), Value(), Value(), Value(),
                                                                rt::arg(args, 6)});
    if (!rt::arg(args, 5).isNil()) rt::send(button, "_OnClick", {rt::arg(args, 5)});
    rt::send(button, "SetInfo");
    SetShortCuts({});
    Adjust({});
    return button;
}

Value XToolBar::AddItem(rt::Args args) { return newButton(0, false, args); }

Value XToolBar::InsertItem(rt::Args args) {
    return newButton(rt::arg(args, 0).asInteger(), false, args.empty() ? args : args.subspan(1));
}

Value XToolBar::AddSeparator(rt::Args args) {
    return newButton(0, true, std::vector<Value>{Value(), number(rt::arg(args, 0).asInteger()), Value(), Value(),
                                                 Value(), Value(), Value(), rt::arg(args, 1)});
}

Value XToolBar::InsertSeparator(rt::Args args) {
    return newButton(rt::arg(args, 0).asInteger(), true,
                     std::vector<Value>{Value(), number(rt::arg(args, 1).asInteger()), Value(), Value(), Value(),
                                        Value(), Value(), rt::arg(args, 2)});
}

Value XToolBar::DeleteItem(rt::Args args) {
    std::vector<Value>& items = itemList();
    const int64_t position = rt::arg(args, 0).asInteger();
    if (position < 1 || position > static_cast<int64_t>(items.size())) return {};
    items.erase(items.begin() + (position - 1));
    rebuild();
    return {};
}

void XToolBar::buttonMessage(unsigned message, int64_t button, bool on, bool post) {
    if (!windowExists()) return;
    const WPARAM id = static_cast<WPARAM>(toolbar::kFirstCommand + button);
    post ? PostMessageA(reinterpret_cast<HWND>(Handle()), message, id, on)
         : SendMessageA(reinterpret_cast<HWND>(Handle()), message, id, on);
}

Value XToolBar::BtnEnable(rt::Args args) {
    const Value& on = rt::arg(args, 1);
    buttonMessage(TB_ENABLEBUTTON, rt::arg(args, 0).asInteger(), on.isLogical() ? on.asLogical() : true, false);
    return {};
}
Value XToolBar::BtnDisable(rt::Args args) {
    buttonMessage(TB_ENABLEBUTTON, rt::arg(args, 0).asInteger(), false, false);
    return {};
}
Value XToolBar::BtnShow(rt::Args args) {
    buttonMessage(TB_HIDEBUTTON, rt::arg(args, 0).asInteger(), false, true);
    return {};
}
Value XToolBar::BtnHide(rt::Args args) {
    buttonMessage(TB_HIDEBUTTON, rt::arg(args, 0).asInteger(), true, true);
    return {};
}
Value XToolBar::BtnCheck(rt::Args args) {
    const Value& on = rt::arg(args, 1);
    buttonMessage(TB_CHECKBUTTON, rt::arg(args, 0).asInteger(), on.isLogical() ? on.asLogical() : true, true);
    return {};
}
Value XToolBar::BtnUncheck(rt::Args args) {
    buttonMessage(TB_CHECKBUTTON, rt::arg(args, 0).asInteger(), false, true);
    return {};
}

// ---- commands, keys and notifications

Value XToolBar::DropMenu(rt::Args args) {
    const auto list = buttons();
    const int64_t n = rt::arg(args, 0).asInteger();
    if (n < 1 || n > static_cast<int64_t>(list.size())) return {};
    return ShowPopupMenu(std::vector<Value>{list[n - 1]->oMenu(), rt::arg(args, 1), rt::arg(args, 2)});
}

Value XToolBar::ClickKey(rt::Args args) {
    const Value& key = rt::arg(args, 0);
    if (!key.isString() || key.asString().empty()) return {};
    std::vector<std::string> texts;
    const auto list = buttons();
    for (const auto& b : list) texts.push_back(b->cText());
    if (auto at = toolbar::buttonForKey(texts, key.asString()[0])) list[*at]->Click({});
    return {};
}

Value XToolBar::ShortCutKey(rt::Args args) {
    ClickKey(args);
    return number(0);
}

Value XToolBar::SetShortCuts(rt::Args) {
    const Value form = formValue();
    if (form.isNil()) return {};
    sendIfUnderstood(form, "DelShortCut", {selfObject()});
    std::vector<Value> keys;
    for (const auto& b : buttons())
        if (auto key = toolbar::accessKey(b->cText())) keys.push_back(Value(std::string(1, *key)));
    if (!keys.empty()) sendIfUnderstood(form, "AddShortCut", {selfObject(), Value::array(keys)});
    return {};
}

Value XToolBar::CommandButton(rt::Args args) {
    const auto list = buttons();
    const auto at = toolbar::commandButton(rt::arg(args, 0).asInteger(), rt::arg(args, 1).asInteger(), list.size());
    if (!at) return {};
    list[*at]->Click({});
    return number(0);
}

void XToolBar::eraseBackground(intptr_t dcNumber) {
    HDC dc = reinterpret_cast<HDC>(dcNumber);
    HWND window = reinterpret_cast<HWND>(Handle());
    if (lTransparent()) {
        VP_DrawParentBackground(window, dc, nullptr);
        return;
    }
    RECT r;
    GetClientRect(window, &r);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(field(kClrPane).asInteger()));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

Value XToolBar::Notify(rt::Args args) {
    auto* header = reinterpret_cast<NMHDR*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!header) return {};
    const auto list = buttons();
    switch (static_cast<int>(header->code)) {
        case static_cast<int>(TBN_GETINFOTIPA): {
            auto* tip = reinterpret_cast<NMTBGETINFOTIPA*>(header);
            const auto at = toolbar::requestedButton(tip->iItem, list.size());
            if (!tip->pszText || tip->cchTextMax <= 0) return {};
            const Value text = at ? list[*at]->cTooltip() : Value();
            lstrcpynA(tip->pszText, text.isString() ? text.asString().c_str() : "", tip->cchTextMax);
            return {};
        }
        case static_cast<int>(TBN_DROPDOWN): {
            auto* drop = reinterpret_cast<NMTOOLBARA*>(header);
            const auto at = toolbar::requestedButton(drop->iItem, list.size());
            if (!at) return number(0);
            RECT r{};
            send(TB_GETITEMRECT, *at, reinterpret_cast<intptr_t>(&r));
            DropMenu(std::vector<Value>{number(static_cast<int64_t>(*at) + 1), number(r.left), number(r.bottom)});
            return number(0);
        }
        case static_cast<int>(NM_CUSTOMDRAW): {
            auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(header);
            if (draw->dwDrawStage == CDDS_PREERASE) return number(CDRF_NOTIFYPOSTERASE);
            if (draw->dwDrawStage != CDDS_POSTERASE) return {};
            eraseBackground(reinterpret_cast<intptr_t>(draw->hdc));
            return number(0);
        }
        default: return {};
    }
}

Value XToolBar::WMSize(rt::Args) {
    if (lAutoSize()) send(TB_AUTOSIZE);
    return number(0);
}

// ---- native buttons and size

Value XToolBar::ResetButtons(rt::Args) {
    if (!windowExists()) return {};
    for (int64_t n = send(TB_BUTTONCOUNT); n > 0; --n) send(TB_DELETEBUTTON, 0);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(send(TB_GETIMAGELIST)), &cx, &cy);
    const toolbar::BarSizing bar = sizing();
    send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    send(TB_SETBITMAPSIZE, 0, MAKELONG(cx, cy));
    send(TB_SETBUTTONSIZE, 0, MAKELONG(bar.buttonWidth ? bar.buttonWidth : 2048, bar.buttonHeight));
    send(TB_AUTOSIZE);
    const auto list = buttons();
    if (list.empty()) return {};
    std::vector<TBBUTTON> records(list.size());
    std::vector<std::string> texts(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        list[i]->setIndex(static_cast<int64_t>(i) + 1);
        const toolbar::ButtonRecord r = toolbar::buttonRecord(list[i]->spec(), static_cast<int64_t>(i) + 1, bar);
        records[i].iBitmap = static_cast<int>(r.image);
        records[i].idCommand = static_cast<int>(r.command);
        records[i].fsState = static_cast<BYTE>(r.state);
        records[i].fsStyle = static_cast<BYTE>(r.style);
        texts[i] = r.text.value_or("");
        records[i].iString = r.text ? reinterpret_cast<INT_PTR>(texts[i].c_str()) : -1;
    }
    send(TB_ADDBUTTONSA, records.size(), reinterpret_cast<intptr_t>(records.data()));
    if (bar.buttonHeight) send(TB_SETBUTTONSIZE, 0, MAKELONG(bar.buttonWidth, bar.buttonHeight));
    return {};
}

Value XToolBar::Adjust(rt::Args) {
    if (!lAutoSize() || !windowExists()) return {};
    HWND window = reinterpret_cast<HWND>(Handle());
    if (GetWindowLongPtrA(window, GWL_STYLE) & CCS_VERT) {
        const int64_t size = send(TB_GETBUTTONSIZE);
        SetWindowPos(window, nullptr, 0, 0, LOWORD(size) + 3, HIWORD(size) + 2, SWP_NOMOVE | SWP_NOZORDER);
    }
    const int64_t count = send(TB_BUTTONCOUNT);
    if (count < 1) return {};
    RECT last{};
    for (int64_t i = count - 1; i >= 0; --i)
        if (send(TB_GETITEMRECT, static_cast<uintptr_t>(i), reinterpret_cast<intptr_t>(&last)) && !IsRectEmpty(&last)) break;
        else last = {};
    const int64_t width = last.right + 3, height = last.bottom + toolbar::borderAllowance(nBorderStyle()) + 2;
    SetWindowPos(window, nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    SetBounds(std::vector<Value>{Value(), Value(), number(width), number(height)});
    return {};
}

Value XToolBar::GetItemRect(rt::Args args) {
    RECT r{};
    const int64_t n = rt::arg(args, 0).asInteger();
    if (n >= 1) send(TB_GETITEMRECT, static_cast<uintptr_t>(n - 1), reinterpret_cast<intptr_t>(&r));
    return rectValue(r);
}

Value XToolBar::HitTest(rt::Args args) {
    POINT p{static_cast<LONG>(rt::arg(args, 0).asInteger()), static_cast<LONG>(rt::arg(args, 1).asInteger())};
    if (!windowExists()) return number(0);
    return number(send(TB_HITTEST, 0, reinterpret_cast<intptr_t>(&p)) + 1);
}

}  // namespace vorpex
