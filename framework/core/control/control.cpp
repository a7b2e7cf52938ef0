// XControl: class record, lifecycle, geometry, styles and display.
#include "framework/core/control/control.h"

#include <windows.h>

#include "framework/core/native/win_system.h"
#include "framework/core/native/win_window.h"
#include "framework/core/object/object_bridge.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/paint/control_paint.h"
#include "framework/core/screen/screen.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

constexpr int64_t kDefaultCtlStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

using native::number;
using win::toHwnd;
using win::handleValue;

rt::NativeMethod bound(Value (XControl::*fn)(rt::Args)) { return rt::method(fn); }

// The argument when given (not NIL), else the stored value.
const Value& given(rt::Args args, size_t i, const Value& stored) {
    const Value& v = rt::arg(args, i);
    return v.isNil() ? stored : v;
}

}  // namespace

// ---- helpers shared by the control classes

Value createByClassName(std::string_view className, std::string_view constructor,
                        std::initializer_list<Value> args) {
    const rt::Function* cls = rt::findFunction(rt::upper(className));
    if (!cls) return {};
    Value bare = (*cls)({});
    if (!bare.isObject()) return {};
    return rt::send(bare, constructor, args);
}

Value controlOfWindow(intptr_t h) {
    rt::ObjectPtr o = getControlFromHandle(h);
    return o ? Value(o) : Value();
}

Value controlOfWindowOrAncestor(intptr_t h) {
    for (HWND w = toHwnd(h); w; w = GetParent(w))
        if (rt::ObjectPtr o = getControlFromHandle(reinterpret_cast<intptr_t>(w))) return Value(o);
    return {};
}

// ---- class record

const rt::Class& XControl::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XControl;
        VPClass b("XControl", &TWinObject::classRecord(), rt::factoryOf<XControl>());
        kLeft = b.addProperty({.name = "nLeft", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetLeft});
        kTop = b.addProperty({.name = "nTop", .initial = 0, .type = "N", .scope = Published, .setter = &X::SetTop});
        kWidth = b.addProperty(
            {.name = "nWidth", .initial = 10, .type = "N", .scope = Published, .setter = &X::SetWidth});
        kHeight = b.addProperty(
            {.name = "nHeight", .initial = 10, .type = "N", .scope = Published, .setter = &X::SetHeight});
        kText = b.addProperty({.name = "cText", .initial = "", .type = "C", .scope = Published,
                               .getter = &X::GetText, .setter = &X::SetText, .editor = "PE_ExtendedString"});
        kAlign = b.addProperty({.name = "nAlign", .initial = 0, .type = "N", .scope = Published,
                                .setter = &X::SetAlign,
                                .choices = choiceList({{"alNONE", 0}, {"alLEFT", 1}, {"alTOP", 2}, {"alRIGHT", 3},
                                                    {"alBOTTOM", 4}, {"alCLIENT", 5}})});
        kAnchors = b.addProperty({.name = "nAnchors", .initial = 3, .type = "N", .scope = Published,
                                  .setter = &X::SetAnchors, .editor = "PE_Anchors"});
        kParentFont = b.addProperty(
            {.name = "lParentFont", .initial = true, .type = "L", .scope = Published, .setter = &X::SetParentFont});
        kFont = b.addProperty({.name = "oFont", .type = "TFont", .scope = Published, .getter = &X::GetFont,
                               .setter = &X::SetFont, .editor = "PE_Font"});
        kCursor = b.addProperty(
            {.name = "oCursor", .type = "TCursor", .scope = Published, .setter = &X::SetCursor, .editor = "PE_Cursor"});
        kBrush = b.addProperty({.name = "oBrush", .type = "TBrush", .scope = Published, .editor = "PE_Brush"});
        kClrText = b.addProperty({.name = "nClrText", .initial = number(GetSysColor(COLOR_WINDOWTEXT)), .type = "N",
                                  .scope = Published, .setter = &X::SetTextColor, .editor = "PE_Color"});
        kClrPane = b.addProperty({.name = "nClrPane", .initial = number(GetSysColor(COLOR_BTNFACE)), .type = "N",
                                  .scope = Published, .setter = &X::SetPaneColor, .editor = "PE_Color"});
        kTooltip = b.addProperty(
            {.name = "cTooltip", .type = "C", .scope = Published, .setter = &X::SetTooltip, .editor = "PE_Tooltip"});
        kBalloon = b.addProperty(
            {.name = "cBalloon", .type = "C", .scope = Published, .setter = &X::SetBalloon, .editor = "PE_Tooltip"});
        kTooltipTitle = b.addProperty(
            {.name = "cTooltipTitle", .type = "C", .scope = Published, .editor = "PE_StringOrNil"});
        kTooltipIcon = b.addProperty({.name = "nTooltipIcon", .initial = 0, .type = "N", .scope = Published,
                                      .choices = choiceList({{"tiNOICON", 0}, {"tiINFO", 1}, {"tiWARNING", 2},
                                                          {"tiERROR", 3}})});
        kVisible = b.addProperty(
            {.name = "lVisible", .initial = true, .type = "L", .scope = Published, .setter = &X::SetVisible});
        kEnabled = b.addProperty(
            {.name = "lEnabled", .initial = true, .type = "L", .scope = Published, .setter = &X::SetEnabled});
        kHelpId = b.addProperty({.name = "HelpId", .scope = Published});

        b.addEvent("OnCreate", Published, "oSender");
        b.addEvent("OnDestroy", Published, "oSender");
        b.addEvent("OnDestroyed", Published, "oSender");
        b.addEvent("OnPaint", Published, "oSender, hDC, @cPaintStruct");
        b.addEvent("OnPainted", Published, "oSender, hDC, @cPaintStruct");
        for (const char* mouse : {"OnLButtonDown", "OnLButtonUp", "OnDblClick", "OnRButtonDown", "OnRButtonUp",
                                  "OnMouseMove"})
            b.addEvent(mouse, Published, "oSender, nKeyFlags, nPosX, nPosY");
        b.addEvent("OnShow", Published, "oSender");
        b.addEvent("OnHide", Published, "oSender");
        b.addEvent("OnContextMenu", Published, "oSender, nPosX, nPosY");
        b.addEvent("OnBeginDrag", Published, "oSender");
        b.addEvent("OnEndDrag", Published, "oSender, oFrom");
        b.addEvent("OnDragOver", Published, "oSender, oFrom");
        b.addEvent("OnClick", Published, "oSender");
        b.addEvent("OnBeforeCreate", Published, "oSender");
        b.addEvent("OnRClick", Exported, "");
        for (const char* key : {"OnChar", "OnKeyDown", "OnKeyUp"}) b.addEvent(key, Hidden, "oSender, nKey, nFlags");
        b.addEvent("OnEnter", Hidden, "oSender, oControl");
        b.addEvent("OnExit", Hidden, "oSender, oControl");
        b.addEvent("OnDropFiles", Hidden, "oSender, aPoint");

        b.addProperty({.name = "oParent", .setter = &X::SetParentProperty});
        kForm = b.addProperty({.name = "oForm"});
        kClientTop = b.addProperty({.name = "nClientTop", .initial = 0, .type = "N"});
        kClientLeft = b.addProperty({.name = "nClientLeft", .initial = 0, .type = "N"});
        kClientWidth = b.addProperty({.name = "nClientWidth", .initial = 0, .type = "N", .setter = &X::SetClientWidth});
        kClientHeight =
            b.addProperty({.name = "nClientHeight", .initial = 0, .type = "N", .setter = &X::SetClientHeight});
        kRedraw = b.addProperty({.name = "lRedraw", .initial = true, .type = "L", .setter = &X::SetRedraw});
        kFocused = b.addProperty({.name = "lFocused", .initial = false, .type = "L", .readOnly = true});
        kActiveControl = b.addProperty({.name = "oActiveControl"});
        kTheme = b.addProperty({.name = "cTheme", .type = "C", .setter = &X::SetTheme});
        kTipObject = b.addProperty({.name = "oTooltip", .readOnly = true});
        kId = b.addData("nId", Value(), "N", Exported | ReadOnly);
        kThemeHandle = b.addProperty({.name = "hTheme", .scope = Protected});
        kTabStop = b.addProperty({.name = "lTabStop", .initial = false, .type = "L", .scope = Protected, .readOnly = true});
        kBorder = b.addProperty({.name = "lBorder", .initial = false, .type = "L", .scope = Protected});
        kTransparent = b.addProperty({.name = "lTransparent", .initial = false, .type = "L", .scope = Protected});
        kBorderStyle = b.addProperty({.name = "nBorderStyle", .initial = 0, .type = "N", .scope = Protected,
                                      .setter = &X::SetBorderStyle,
                                      .choices = choiceList({{"bvNONE", 0}, {"bvHALFRAISED", 1}, {"bvHALFSUNKEN", 2},
                                                          {"bvRAISED", 3}, {"bvSUNKEN", 4}, {"bvBUMP", 5},
                                                          {"bvETCHED", 6}, {"bvFLAT", 7}})});
        kWinClassName = b.addData("cWinClassName", Value(), "C", Protected);
        kCtlStyle = b.addData("nCtlStyle", number(kDefaultCtlStyle), "N", Protected);
        kExStyle = b.addData("nExStyle", 0, "N", Protected);
        kClassStyle = b.addData("nClassStyle", 0, "N", Protected);
        kBkgnd = b.addData("hBkgnd", 0, "N", Protected);
        kAnchorX = b.addData("nAnchorX", Value(), "A", Protected);
        kAnchorY = b.addData("nAnchorY", Value(), "A", Protected);
        kOnDrag = b.addData("nOnDrag", 0, "N", Protected);
        kControlPaint = b.addData("uControlPaint", Value(), "P", Protected);
        kHasTooltip = b.addData("lTooltip", false, "L", Hidden);
        kHasBalloon = b.addData("lBalloon", false, "L", Hidden);
        kTooltipZones = b.addData("nTooltipZones", 0, "N", Hidden);
        kBalloonZones = b.addData("nBalloonZones", 0, "N", Hidden);

        for (const char* v : {"GotFocus", "Notify", "AlignControls", "InsertComponent", "RemoveComponent",
                              "InsertControl", "RemoveControl", "DrawItem", "MeasureItem", "GetTooltip"})
            b.addVirtual(v);

        addMembers<XControl>(b);
        b.addMethod("RegisterClass", registerClassMethod);
        b.addMethod("Link", linkMethod);
        b.addMethod("Unlink", unlinkMethod);
        b.addMethod("GetForm", bound(&X::FindForm));
        b.addMethod("HideBalloon", bound(&X::HideTooltip));

        b.addMethod("WMPaint", XCONTROL_WMPAINT);
        b.addMethod("WMPrintClient", XCONTROL_WMPRINTCLIENT);
        b.addMethod("WMNCPaint", XCONTROL_WMNCPAINT);
        b.addMethod("WMNCCalcSize", XCONTROL_WMNCCALCSIZE);

        return b.create();
    }();
    return c;
}

// ---- typed access

ctl::Bounds XControl::bounds() const {
    return {field(kLeft).asInteger(), field(kTop).asInteger(), field(kWidth).asInteger(), field(kHeight).asInteger()};
}

static ctl::Margins marginsOf(const Value& v) {
    auto a = v.asArray();
    if (!a) return {};
    return {a->at1(1).asInteger(), a->at1(2).asInteger()};
}

ctl::Margins XControl::anchorX() const { return marginsOf(field(kAnchorX)); }
ctl::Margins XControl::anchorY() const { return marginsOf(field(kAnchorY)); }

Value XControl::parentValue() const {
    rt::ObjectPtr p = oParent();
    return p ? Value(p) : Value();
}

Value XControl::formValue() {
    if (rt::ObjectPtr f = oForm()) return Value(f);
    return rt::send(*this, "GetForm");
}

// ---- lifecycle

Value XControl::New(rt::Args args) { return XComponent::New(args); }

Value XControl::Create(rt::Args args) {
    XComponent::Create(args);
    if (!windowExists()) rt::send(*this, "CreateHandle");
    if (!windowExists())
        win::outDebug("Vorpex: the window of a " + objectClass().name() + " could not be created\n");
    fireEvent(*this, OnCreate);
    return selfObject();
}

Value XControl::CreateHandle(rt::Args) {
    rt::send(*this, "GetForm");
    rt::send(*this, "Register");
    int64_t style = nCtlStyle();
    style = ctl::changeBits(style, WS_VISIBLE, lVisible());
    style = ctl::changeBits(style, WS_DISABLED, !lEnabled());
    setCtlStyle(style);
    field(kThemeHandle) = Value();
    field(kId) = sendIfUnderstood(formValue(), "GetNewId");
    fireEvent(*this, OnBeforeCreate);
    rt::send(*this, "Link");
    // The stored bounds are design units only until the first window: a re-created control keeps its size.
    if (!scaled_) {
        rt::send(*this, "Scale");
        scaled_ = true;
    }
    const ctl::Bounds b = bounds();
    const std::string className = rt::send(*this, "ClassName").asString();
    const Value text = field(kText);
    const Value parent = parentValue();
    const bool child = (style & WS_CHILD) != 0;
    // A menu handle goes where a child's identifier would: a top-level window gets none.
    const auto menu = reinterpret_cast<HMENU>(child ? static_cast<intptr_t>(nId().asInteger()) : 0);
    HWND h = CreateWindowExA(static_cast<DWORD>(nExStyle()), className.c_str(), text.asString().c_str(),
                             static_cast<DWORD>(style), static_cast<int>(b.left), static_cast<int>(b.top),
                             static_cast<int>(b.width), static_cast<int>(b.height), toHwnd(handleOf(parent)), menu,
                             GetModuleHandleA(nullptr), nullptr);
    windowCreationEnded();
    setHandle(reinterpret_cast<intptr_t>(h));
    if (!h) return number(0);
    rt::send(*this, "SetTheme");
    rt::send(*this, "SetFont");
    rt::send(*this, "SetBorderStyle");
    rt::send(*this, "UpdateBounds");
    rt::send(*this, "SetAnchors");
    const Value tip = field(kTooltip), balloon = field(kBalloon);
    rt::send(*this, "SetTooltip", {tip});
    rt::send(*this, "SetBalloon", {balloon});
    if (!parent.isNil() && child) sendIfUnderstood(parent, "InsertControl", {selfObject()});
    return number(Handle());
}

Value XControl::Register(rt::Args) {
    if (field(kWinClassName).asString().empty() && field(kCursor).isNil()) {
        auto screen = rt::objectAs<XScreen>(Screen());
        if (screen) field(kCursor) = screen->oCursorArrow();
    }
    if (!field(kClrPane).isNil() && field(kBrush).isNil())
        field(kBrush) = createByClassName("TBrush", "Create", {Value(), field(kClrPane)});
    return rt::send(*this, "RegisterClass");
}

Value XControl::FindForm(rt::Args) {
    if (field(kForm).isNil()) {
        const Value parent = parentValue();
        const Value form = sendIfUnderstood(parent, "GetForm");
        if (auto f = form.asObject()) field(kForm) = Value::weak(f);
    }
    rt::ObjectPtr f = oForm();
    return f ? Value(f) : Value();
}

Value XControl::Destroy(rt::Args args) {
    const bool release = rt::arg(args, 0).asLogical();
    setFree(release);
    setCreated(false);
    if (windowExists()) {
        DestroyWindow(toHwnd(Handle()));
    } else if (release) {
        // No window will send its last message: release what it would have released.
        rt::send(*this, "Free");
    }
    return selfObject();
}

Value XControl::Free(rt::Args args) {
    HideTooltip({});
    releaseOwnFont();
    releaseBrush();
    auto screen = rt::objectAs<XScreen>(Screen());
    const Value cursor = field(kCursor);
    const bool shared = screen && cursor.sameAs(screen->oCursorArrow());
    if (!shared) sendIfUnderstood(cursor, "End");
    field(kCursor) = Value();
    fireEvent(*this, OnDestroyed);
    return XComponent::Free(args);
}

void XControl::releaseOwnFont() {
    const Value font = field(kFont);
    field(kFont) = Value();
    sendIfUnderstood(font, "End");
}

void XControl::releaseBrush() {
    const Value brush = field(kBrush);
    field(kBrush) = Value();
    sendIfUnderstood(brush, "End");
}

Value XControl::WMNCCreate(rt::Args args) {
    // The window's first messages already reach the object: give it its handle at once.
    if (!windowExists()) setHandle(static_cast<intptr_t>(rt::arg(args, 2).asInteger()));
    return {};
}

Value XControl::WMDestroy(rt::Args) {
    if (windowExists()) field(kText) = Value(win::windowText(toHwnd(Handle())));
    fireEvent(*this, OnDestroy);
    const Value themeHandle = field(kThemeHandle);
    if (themeHandle.asInteger()) theme::closeThemeData(static_cast<intptr_t>(themeHandle.asInteger()));
    field(kThemeHandle) = Value();
    return {};
}

Value XControl::WMNCDestroy(rt::Args) {
    Value keep = selfObject();  // the handlers below may drop the last other reference
    if (lFree()) rt::send(*this, "Free");
    // The shared tip windows must not keep tools for a window that is gone, whether or not the object is
    // freed: a re-created window registers its tools anew.
    dropTips();
    rt::send(*this, "Unlink");
    const Value parent = parentValue();
    if (!nId().isNil() && !parent.isNil()) sendIfUnderstood(parent, "RemoveControl", {keep});
    setHandle(0);
    return {};
}

// ---- geometry

Value XControl::SetLeft(rt::Args a) { return SetBounds(std::vector<Value>{rt::arg(a, 0)}), rt::arg(a, 0); }
Value XControl::SetTop(rt::Args a) { return SetBounds(std::vector<Value>{Value(), rt::arg(a, 0)}), rt::arg(a, 0); }
Value XControl::SetWidth(rt::Args a) {
    return SetBounds(std::vector<Value>{Value(), Value(), rt::arg(a, 0)}), rt::arg(a, 0);
}
Value XControl::SetHeight(rt::Args a) {
    return SetBounds(std::vector<Value>{Value(), Value(), Value(), rt::arg(a, 0)}), rt::arg(a, 0);
}

Value XControl::SetBounds(rt::Args args) {
    const int positions[] = {kLeft, kTop, kWidth, kHeight};
    for (size_t i = 0; i < 4; ++i)
        if (rt::arg(args, i).isNumber()) field(positions[i]) = rt::arg(args, i);
    if (!windowExists()) return {};
    const Value parent = parentValue();
    const ctl::Bounds b = bounds();
    const int64_t dx = sendIfUnderstood(parent, "nClientLeft").asInteger();
    const int64_t dy = sendIfUnderstood(parent, "nClientTop").asInteger();
    const Value& repaint = rt::arg(args, 4);
    MoveWindow(toHwnd(Handle()), static_cast<int>(b.left + dx), static_cast<int>(b.top + dy), static_cast<int>(b.width),
               static_cast<int>(b.height), repaint.isLogical() ? repaint.asLogical() : TRUE);
    rt::send(*this, "SetAnchors");
    if (nAlign() != ctl::alNONE && nAlign() != ctl::alCLIENT) sendIfUnderstood(parent, "AlignControls");
    return {};
}

Value XControl::UpdateBounds(rt::Args) {
    if (!windowExists()) return {};
    HWND h = toHwnd(Handle());
    RECT r;
    GetWindowRect(h, &r);
    POINT corner{r.left, r.top};
    if (GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD) {
        MapWindowPoints(nullptr, GetParent(h), &corner, 1);
        const Value parent = parentValue();
        corner.x -= static_cast<LONG>(sendIfUnderstood(parent, "nClientLeft").asInteger());
        corner.y -= static_cast<LONG>(sendIfUnderstood(parent, "nClientTop").asInteger());
    }
    field(kLeft) = number(corner.x);
    field(kTop) = number(corner.y);
    field(kWidth) = number(r.right - r.left);
    field(kHeight) = number(r.bottom - r.top);
    return UpdateClientRect({});
}

Value XControl::UpdateClientRect(rt::Args) {
    if (!windowExists()) return {};
    RECT r;
    GetClientRect(toHwnd(Handle()), &r);
    field(kClientWidth) = number(r.right);
    field(kClientHeight) = number(r.bottom);
    return {};
}

Value XControl::SetClientWidth(rt::Args a) { return SetClientSize(std::vector<Value>{rt::arg(a, 0)}), rt::arg(a, 0); }
Value XControl::SetClientHeight(rt::Args a) {
    return SetClientSize(std::vector<Value>{Value(), rt::arg(a, 0)}), rt::arg(a, 0);
}

Value XControl::SetClientSize(rt::Args args) {
    const Value& w = rt::arg(args, 0);
    const Value& h = rt::arg(args, 1);
    if (w.isNumber()) field(kClientWidth) = w;
    if (h.isNumber()) field(kClientHeight) = h;
    if (!windowExists()) return {};
    HWND window = toHwnd(Handle());
    RECT wr, cr;
    GetWindowRect(window, &wr);
    GetClientRect(window, &cr);
    int64_t width = wr.right - wr.left, height = wr.bottom - wr.top;
    if (w.isNumber()) width += w.asInteger() - cr.right;
    if (h.isNumber()) height += h.asInteger() - cr.bottom;
    SetWindowPos(window, nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return {};
}

Value XControl::WMWindowPosChanged(rt::Args args) {
    UpdateBounds({});
    auto* pos = reinterpret_cast<const WINDOWPOS*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (pos && !(pos->flags & SWP_NOSIZE) && hBkgnd() && windowExists())
        InvalidateRect(toHwnd(Handle()), nullptr, FALSE);
    return {};
}

Value XControl::Scale(rt::Args args) {
    const Value& percentArg = rt::arg(args, 0);
    const Value percent = percentArg.isNumber() ? percentArg : sendIfUnderstood(Application(), "nScale");
    const int p = percent.isNumber() ? percent.asInt() : 100;
    if (p == 100) return {};
    const ctl::Bounds b = ctl::scaleBounds(bounds(), p);
    field(kLeft) = number(b.left);
    field(kTop) = number(b.top);
    field(kWidth) = number(b.width);
    field(kHeight) = number(b.height);
    return {};
}

namespace {

// Converts the point held by the two by-reference arguments.
Value convertPoint(rt::Args args, HWND window, BOOL(WINAPI* convert)(HWND, LPPOINT)) {
    POINT p{static_cast<LONG>(rt::arg(args, 0).asInteger()), static_cast<LONG>(rt::arg(args, 1).asInteger())};
    if (window) convert(window, &p);
    if (args.size() > 0) args[0].assign(number(p.x));
    if (args.size() > 1) args[1].assign(number(p.y));
    return Value::array({number(p.x), number(p.y)});
}

}  // namespace

Value XControl::ScreenToClient(rt::Args args) { return convertPoint(args, toHwnd(Handle()), ::ScreenToClient); }
Value XControl::ClientToScreen(rt::Args args) { return convertPoint(args, toHwnd(Handle()), ::ClientToScreen); }

Value XControl::GetMonitor(rt::Args args) {
    auto screen = rt::objectAs<XScreen>(Screen());
    if (!screen) return {};
    const Value& flags = rt::arg(args, 0);
    return screen->monitorOfWindow(Handle(), flags.isNumber() ? flags.asInt() : MONITOR_DEFAULTTONEAREST);
}

Value XControl::GetSiblingControl(rt::Args args) {
    auto list = sendIfUnderstood(parentValue(), "aControls").asArray();
    if (!list) return {};
    const auto& items = list->items;
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].deref().asObject().get() != this) continue;
        const int64_t target = static_cast<int64_t>(i) + rt::arg(args, 0).asInteger();
        return target >= 0 && target < static_cast<int64_t>(items.size()) ? items[target] : Value();
    }
    return {};
}

Value XControl::SetAnchors(rt::Args args) {
    if (rt::arg(args, 0).isNumber()) field(kAnchors) = rt::arg(args, 0);
    const Value parent = parentValue();
    const ctl::Bounds b = bounds();
    const ctl::Margins x = ctl::anchorMargins(b.left, b.width, sendIfUnderstood(parent, "nClientWidth").asInteger());
    const ctl::Margins y = ctl::anchorMargins(b.top, b.height, sendIfUnderstood(parent, "nClientHeight").asInteger());
    field(kAnchorX) = Value::array({number(x.nearSide), number(x.farSide)});
    field(kAnchorY) = Value::array({number(y.nearSide), number(y.farSide)});
    return field(kAnchors);
}

// ---- styles

void XControl::applyStyles() {
    if (!windowExists()) return;
    HWND h = toHwnd(Handle());
    // Visibility and the enabled state belong to Show/Hide and Enable/Disable, not to the stored style.
    const int64_t live = GetWindowLongPtrA(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    SetWindowLongPtrA(h, GWL_STYLE, static_cast<LONG_PTR>((nCtlStyle() & ~int64_t{WS_VISIBLE | WS_DISABLED}) | live));
    SetWindowLongPtrA(h, GWL_EXSTYLE, static_cast<LONG_PTR>(nExStyle()));
}

Value XControl::changeStyle(int position, int64_t style) {
    field(position) = number(style);
    applyStyles();
    return field(position);
}

Value XControl::ChangeCtlStyle(rt::Args a) {
    const Value& on = rt::arg(a, 1);
    const int64_t s = on.isLogical() ? ctl::changeBits(nCtlStyle(), rt::arg(a, 0).asInteger(), on.asLogical()) : nCtlStyle();
    return changeStyle(kCtlStyle, s);
}
Value XControl::ChangeExStyle(rt::Args a) {
    const Value& on = rt::arg(a, 1);
    const int64_t s = on.isLogical() ? ctl::changeBits(nExStyle(), rt::arg(a, 0).asInteger(), on.asLogical()) : nExStyle();
    return changeStyle(kExStyle, s);
}
Value XControl::ReplaceStyle(rt::Args a) {
    return changeStyle(kCtlStyle, ctl::replaceBits(nCtlStyle(), rt::arg(a, 0).asInteger(), rt::arg(a, 1).asInteger()));
}
Value XControl::ReplaceExStyle(rt::Args a) {
    return changeStyle(kExStyle, ctl::replaceBits(nExStyle(), rt::arg(a, 0).asInteger(), rt::arg(a, 1).asInteger()));
}
Value XControl::RemoveStyle(rt::Args a) {
    return changeStyle(kCtlStyle, ctl::changeBits(nCtlStyle(), rt::arg(a, 0).asInteger(), false));
}
Value XControl::RemoveExStyle(rt::Args a) {
    return changeStyle(kExStyle, ctl::changeBits(nExStyle(), rt::arg(a, 0).asInteger(), false));
}
Value XControl::HasStyle(rt::Args a) { return Value(ctl::hasAnyBit(nCtlStyle(), rt::arg(a, 0).asInteger())); }
Value XControl::HasExStyle(rt::Args a) { return Value(ctl::hasAnyBit(nExStyle(), rt::arg(a, 0).asInteger())); }

Value XControl::SetBorderStyle(rt::Args args) {
    if (rt::arg(args, 0).isNumber()) field(kBorderStyle) = rt::arg(args, 0);
    if (windowExists())
        SetWindowPos(toHwnd(Handle()), nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    return field(kBorderStyle);
}

// ---- display

void XControl::alignParent() { sendIfUnderstood(parentValue(), "AlignControls"); }

Value XControl::SetAlign(rt::Args a) {
    field(kAlign) = rt::arg(a, 0);
    if (windowExists()) alignParent();
    return rt::arg(a, 0);
}

Value XControl::SetVisible(rt::Args a) {
    rt::arg(a, 0).asLogical() ? Show({}) : Hide({});
    return rt::arg(a, 0);
}

Value XControl::SetEnabled(rt::Args a) {
    rt::send(*this, rt::arg(a, 0).asLogical() ? "Enable" : "Disable");
    return rt::arg(a, 0);
}

Value XControl::Show(rt::Args args) {
    field(kVisible) = true;
    if (!windowExists()) return {};
    HWND h = toHwnd(Handle());
    if (!IsWindowVisible(h)) ShowWindow(h, rt::arg(args, 0).isNumber() ? rt::arg(args, 0).asInt() : SW_SHOW);
    if (nAlign() != ctl::alNONE) alignParent();
    UpdateWindow(h);
    fireEvent(*this, OnShow);
    return {};
}

Value XControl::Hide(rt::Args) {
    field(kVisible) = false;
    setFocusedFlag(false);
    if (!windowExists()) return {};
    ShowWindow(toHwnd(Handle()), SW_HIDE);
    // A client-aligned control leaves its space to nobody; any other aligned one gives it back to siblings.
    if (nAlign() != ctl::alNONE && nAlign() != ctl::alCLIENT) alignParent();
    fireEvent(*this, OnHide);
    return {};
}

Value XControl::Enable(rt::Args) {
    field(kEnabled) = true;
    if (windowExists()) {
        EnableWindow(toHwnd(Handle()), TRUE);
        Refresh({});
    }
    return Value(true);
}

Value XControl::Disable(rt::Args) {
    field(kEnabled) = false;
    if (windowExists()) {
        EnableWindow(toHwnd(Handle()), FALSE);
        Refresh({});
    }
    return Value(false);
}

Value XControl::Refresh(rt::Args args) {
    if (windowExists()) InvalidateRect(toHwnd(Handle()), nullptr, rt::arg(args, 0).asLogical());
    return {};
}

Value XControl::Redraw(rt::Args) {
    if (windowExists()) RedrawWindow(toHwnd(Handle()), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
    return {};
}

Value XControl::Update(rt::Args) {
    if (windowExists()) UpdateWindow(toHwnd(Handle()));
    return {};
}

Value XControl::SetRedraw(rt::Args args) {
    const Value& on = rt::arg(args, 0);
    const bool redraw = on.isLogical() ? on.asLogical() : true;
    field(kRedraw) = redraw;
    if (!windowExists()) return Value(redraw);
    HWND h = toHwnd(Handle());
    SendMessageA(h, WM_SETREDRAW, redraw, 0);
    if (redraw) RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
    return Value(redraw);
}

Value XControl::SetText(rt::Args args) {
    const Value& text = rt::arg(args, 0);
    field(kText) = text.isString() ? text : Value("");
    if (windowExists()) {
        const Value form = formValue();
        sendIfUnderstood(form, "DelShortCut", {selfObject()});
        SetWindowTextA(toHwnd(Handle()), field(kText).asString().c_str());
        Refresh({});
        sendIfUnderstood(form, "AddShortCut", {selfObject()});
    }
    return text;
}

Value XControl::GetText(rt::Args) {
    if (windowExists()) field(kText) = Value(win::windowText(toHwnd(Handle())));
    return field(kText);
}

Value XControl::SetTextColor(rt::Args a) { return SetColor(std::vector<Value>{rt::arg(a, 0), field(kClrPane)}), rt::arg(a, 0); }
Value XControl::SetPaneColor(rt::Args a) { return SetColor(std::vector<Value>{field(kClrText), rt::arg(a, 0)}), rt::arg(a, 0); }

Value XControl::SetColor(rt::Args args) {
    releaseBrush();
    if (!rt::arg(args, 0).isNil()) field(kClrText) = rt::arg(args, 0);
    if (!rt::arg(args, 1).isNil()) field(kClrPane) = rt::arg(args, 1);
    if (!field(kClrPane).isNil()) field(kBrush) = createByClassName("TBrush", "Create", {Value(), field(kClrPane)});
    Refresh({});
    return {};
}

Value XControl::GetCtlColor(rt::Args args) {
    const intptr_t brush = handleOf(field(kBrush));
    if (!brush) return sendIfUnderstood(parentValue(), "GetCtlColor", {rt::arg(args, 0)});
    HDC dc = reinterpret_cast<HDC>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    SetBkColor(dc, static_cast<COLORREF>(field(kClrPane).asInteger()));
    ::SetTextColor(dc, static_cast<COLORREF>(field(kClrText).asInteger()));
    return number(brush);
}

Value XControl::SetParentFont(rt::Args a) { return SetFont(std::vector<Value>{Value(), rt::arg(a, 0)}), rt::arg(a, 0); }

Value XControl::SetFont(rt::Args args) {
    const Value& fontArg = rt::arg(args, 0);
    const Value& parentArg = rt::arg(args, 1);
    const bool parentFont = given(args, 1, field(kParentFont)).asLogical();
    if (!field(kFont).isNil() && (!fontArg.isNil() || !parentArg.isNil())) releaseOwnFont();
    intptr_t handle = 0;
    if (!fontArg.isNil()) {
        Value font = fontArg.isObject() ? fontArg : createByClassName("TFont", "Create", {fontArg});
        sendIfUnderstood(font, "_nCount", {number(sendIfUnderstood(font, "nCount").asInteger() + 1)});
        const Value inherited = rt::send(*this, "GetFont");
        if (!inherited.isNil() && sendIfUnderstood(font, "Compare", {inherited}).asLogical()) {
            sendIfUnderstood(font, "End");
            field(kParentFont) = true;
            handle = handleOf(inherited);
        } else {
            field(kFont) = font;
            field(kParentFont) = false;
            handle = handleOf(font);
        }
    } else {
        field(kParentFont) = parentFont;
        handle = handleOf(rt::send(*this, "GetFont"));
    }
    if (handle && windowExists()) SendMessageA(toHwnd(Handle()), WM_SETFONT, static_cast<WPARAM>(handle), TRUE);
    return {};
}

Value XControl::GetFont(rt::Args) {
    if (!field(kFont).isNil()) return field(kFont);
    Value font;
    const Value parent = parentValue();
    if (field(kParentFont).asLogical() && !parent.isNil()) font = sendIfUnderstood(parent, "GetFont");
    if (font.isNil()) font = sendIfUnderstood(Application(), "GetFont");
    return font;
}

Value XControl::SetCursor(rt::Args args) {
    auto screen = rt::objectAs<XScreen>(Screen());
    const Value old = field(kCursor);
    if (!(screen && old.sameAs(screen->oCursorArrow()))) sendIfUnderstood(old, "End");
    field(kCursor) = Value();
    const Value& x = rt::arg(args, 0);
    if (x.isObject())
        field(kCursor) = x;
    else if (!x.isNil())
        field(kCursor) = createByClassName("TCursor", "Create", {x});
    return field(kCursor);
}

Value XControl::SetTheme(rt::Args args) {
    const Value& name = rt::arg(args, 0);
    const auto open = static_cast<intptr_t>(field(kThemeHandle).asInteger());
    if (!args.empty()) {
        if (open && windowExists() && theme::getWindowTheme(toHwnd(Handle())) &&
            !field(kTheme).sameAs(name)) {
            theme::closeThemeData(open);
            field(kThemeHandle) = Value();
        }
        field(kTheme) = name;
    }
    const Value& cls = field(kTheme);
    if (windowExists() && cls.isString() && !cls.asString().empty() && !field(kThemeHandle).asInteger()) {
        const std::wstring wide = win::ansiToWide(cls.asString()).value_or(std::wstring());
        const intptr_t opened = theme::openThemeData(toHwnd(Handle()), wide);
        field(kThemeHandle) = opened ? number(opened) : Value();
    }
    return field(kTheme);
}

Value XControl::WMThemeChanged(rt::Args) {
    const Value& cls = field(kTheme);
    if (!cls.isString() || cls.asString().empty()) return {};
    if (const auto open = static_cast<intptr_t>(field(kThemeHandle).asInteger())) theme::closeThemeData(open);
    field(kThemeHandle) = Value();
    SetTheme({});
    return Value(0);
}

Value XControl::SendMsg(rt::Args a) {
    if (!windowExists()) return Value(0);
    return number(SendMessageA(toHwnd(Handle()), static_cast<UINT>(rt::arg(a, 0).asInteger()),
                               static_cast<WPARAM>(rt::arg(a, 1).asInteger()),
                               static_cast<LPARAM>(rt::arg(a, 2).asInteger())));
}

Value XControl::PostMsg(rt::Args a) {
    if (!windowExists()) return Value(false);
    return Value(PostMessageA(toHwnd(Handle()), static_cast<UINT>(rt::arg(a, 0).asInteger()),
                              static_cast<WPARAM>(rt::arg(a, 1).asInteger()),
                              static_cast<LPARAM>(rt::arg(a, 2).asInteger())) != 0);
}

Value XControl::BeginPaint(rt::Args args) {
    // The record is kept whatever OnPaint answered, so EndPaint always ends the paint begun here.
    EndPaint({});
    auto* state = new ControlPaintState;
    HDC given = reinterpret_cast<HDC>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    const int runs = VP_ControlBeginPaint(*this, toHwnd(Handle()), *state, given);
    field(kControlPaint) = Value(rt::Pointer{state, 0x5043});  // "PC"
    return runs ? handleValue(state->hDC) : number(0);
}

Value XControl::EndPaint(rt::Args) {
    const rt::Pointer p = field(kControlPaint).asPointer();
    if (p.tag != 0x5043 || !p.address) return {};
    field(kControlPaint) = Value();
    auto* state = static_cast<ControlPaintState*>(p.address);
    VP_ControlEndPaint(*this, toHwnd(Handle()), *state);
    delete state;
    return {};
}

Value XControl::WMNCHitTest(rt::Args a) {
    return number(DefWindowProcA(toHwnd(static_cast<intptr_t>(rt::arg(a, 2).asInteger())), WM_NCHITTEST,
                                 static_cast<WPARAM>(rt::arg(a, 0).asInteger()),
                                 static_cast<LPARAM>(rt::arg(a, 1).asInteger())));
}

Value XControl::SetParentProperty(rt::Args args) {
    const Value& v = rt::arg(args, 0);
    setParent(v.asObject());
    if (windowExists()) ::SetParent(toHwnd(Handle()), toHwnd(handleOf(v)));
    return v;
}

// ---- owner draw and help

Value XControl::WMDrawItem(rt::Args args) {
    auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!item) return {};
    const Value record = rt::arg(args, 1);
    if (item->CtlType == ODT_MENU) return sendIfUnderstood(formValue(), "WMDrawItem", {number(item->CtlID), record});
    HWND child = GetDlgItem(toHwnd(Handle()), static_cast<int>(item->CtlID));
    return sendIfUnderstood(controlOfWindow(reinterpret_cast<intptr_t>(child)), "DrawItem", {record});
}

Value XControl::WMMeasureItem(rt::Args args) {
    auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    if (!item) return {};
    const Value record = rt::arg(args, 1);
    if (item->CtlType == ODT_MENU)
        return sendIfUnderstood(formValue(), "WMMeasureItem", {number(item->CtlID), record});
    HWND child = GetDlgItem(toHwnd(Handle()), static_cast<int>(item->CtlID));
    return sendIfUnderstood(controlOfWindow(reinterpret_cast<intptr_t>(child)), "MeasureItem", {record});
}

Value XControl::WMHelp(rt::Args args) {
    if (field(kHelpId).isNil()) return {};
    auto* info = reinterpret_cast<const HELPINFO*>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    const Value x = info ? number(info->MousePos.x) : Value(), y = info ? number(info->MousePos.y) : Value();
    sendIfUnderstood(formValue(), "Help", {selfObject(), field(kHelpId), x, y});
    return Value(0);
}

}  // namespace vorpex
