#include "framework/browse/grid_edit.h"

#include <windows.h>

#include <algorithm>

#include "framework/browse/browse.h"
#include "framework/browse/browse_args.h"
#include "framework/browse/brw_column.h"
#include "framework/controls/list/list_box.h"
#include "framework/core/form/form_styles.h"
#include "framework/core/gdi/gdi_guards.h"
#include "framework/core/native/casts.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/object/optional_send.h"
#include "framework/core/object/vp_class.h"
#include "framework/core/theme/theme.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "framework/data/data_controls/data_controls.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;
using namespace browse;
using native::number;
using win::toHwnd;

namespace {

constexpr int64_t kNormal = 1, kHot = 2, kPressed = 3;
constexpr int kThemeButtonPart = 1;
constexpr int64_t kTabKey = 9;

int64_t clientX(int64_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }

// A member of the base masked edit, for the data-control members this editor keeps plain.
Value baseMethod(rt::Object& self, const char* name, rt::Args args) {
    const rt::Method* m = TMaskEdit::classRecord().find(rt::Symbol::intern(name));
    return m ? rt::invoke(self, *m, args) : Value();
}

std::string itemText(const Value& item) {
    const Value& shown = item.isArray() && !item.asArray()->items.empty() ? item.asArray()->items.front() : item;
    return shown.isString() ? shown.asString() : std::string();
}

// The three dots of the button, drawn as dots: no glyph of any code page is needed.
void drawDots(HDC dc, const RECT& button, COLORREF colour) {
    const LONG y = (button.top + button.bottom) / 2;
    const LONG x = (button.left + button.right) / 2 - 5;
    for (LONG i = 0; i < 3; ++i) {
        const RECT dot{x + i * 4, y, x + i * 4 + 2, y + 2};
        win::Owned<HBRUSH> brush(CreateSolidBrush(colour));
        FillRect(dc, &dot, brush.get());
    }
}

}  // namespace

const rt::Class& XGridEdit::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        using namespace rt::scope;
        using X = XGridEdit;
        VPClass b("XGridEdit", &TMaskEdit::classRecord(), rt::factoryOf<XGridEdit>());
        // oDataSet, oDataField, lEditable and their binding members, as every data-aware edit has them.
        data::addDataControlMembers(b, TMaskEdit::classRecord());
        b.addProperty({.name = "lReadOnly", .initial = false});
        kItems = b.addProperty({.name = "aItems", .type = "A", .scope = Published});
        kEditMode = b.addProperty({.name = "nEditMode", .initial = 0, .type = "N", .scope = Published,
                                   .setter = &X::SetEditMode});
        kBtnState = b.addData("nBtnState", kNormal, "N", Protected);
        kIncSeek = b.addData("cIncSeek", "", "C", Protected);
        kOnClick = b.addData("lOnClick", false, "L", Protected);
        kColumn = b.addData("oColumn");
        kListIndex = b.addData("nListIndex", 1, "N");
        kDropped = b.addData("lDropped", false, "L");
        kDropList = b.addData("oDropList", Value(), "", Hidden);
        addMembers<XGridEdit>(b);
        // The editor shows and keeps its own text: the data controls' refresh, change and read-only rules belong
        // to edits that stand alone on a form.
        for (const char* plain : {"Refresh", "Change", "SetReadOnly"})
            b.addMethod(plain, [plain](rt::Object& self, const rt::Method&, rt::Args args) {
                return baseMethod(self, plain, args);
            });
        return b.create();
    }();
    return c;
}

// ---------------------------------------------------------------- state

XBrwColumn* XGridEdit::column() const {
    rt::ObjectPtr c = field(kColumn).asObject();
    return dynamic_cast<XBrwColumn*>(c.get());
}

XBrowse* XGridEdit::grid() const {
    XBrwColumn* c = column();
    return c ? c->browse() : nullptr;
}

std::vector<std::string> XGridEdit::itemTexts() const {
    std::vector<std::string> texts;
    if (const auto items = field(kItems).asArray())
        for (const Value& item : items->items) texts.push_back(itemText(item));
    return texts;
}

bool XGridEdit::hasItems() const {
    const auto items = field(kItems).asArray();
    return items && !items->items.empty();
}

bool XGridEdit::onButton(int64_t x) const { return onEditButton(nEditMode(), x, nClientWidth()); }

bool XGridEdit::multiEdit() const {
    XBrowse* g = grid();
    return g && rt::send(*g, "IsMultipleEdit").asLogical();
}

void XGridEdit::repaint(bool erase) {
    if (windowExists()) InvalidateRect(toHwnd(Handle()), nullptr, erase ? TRUE : FALSE);
}

void XGridEdit::setButtonState(int64_t state) {
    if (field(kBtnState).asInteger() == state) return;
    field(kBtnState) = number(state);
    repaint();
}

Value XGridEdit::cancelEdit(bool canceled, int64_t key) {
    XBrowse* g = grid();
    if (!g) return {};
    return rt::send(*g, "CancelEdit", {Value(canceled), number(key)});
}

void XGridEdit::exitAndSave(int64_t key, const Value& next) {
    if (XBrwColumn* c = column()) fireEvent(*c, XBrwColumn::OnExit, {selfObject(), next});
    cancelEdit(false, key);
}

// ---------------------------------------------------------------- creation, mode and value

Value XGridEdit::Create(rt::Args args) {
    if (auto c = rt::arg(args, 1).asObject()) field(kColumn) = Value::weak(c);
    field(kBorder) = false;
    XMaskEdit::Create(Vals{rt::arg(args, 0)});
    SetEditMode(Vals{field(kEditMode)});
    return selfObject();
}

Value XGridEdit::SetEditMode(rt::Args args) {
    field(kEditMode) = number(rt::arg(args, 0).asInteger());
    if (windowExists()) {
        const int64_t margin = nEditMode() == kPlainEditor ? 0 : kEditButtonWidth;
        send(EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, margin));
        repaint(true);
    }
    return field(kEditMode);
}

Value XGridEdit::aItemsBound(rt::Args) {
    XBrwColumn* c = column();
    return c ? rt::send(*c, "aEditListBound") : Value::array();
}

Value XGridEdit::SetValue(rt::Args args) {
    const Value result = XMaskEdit::SetValue(args);
    if (nEditMode() == kListEditor && listReadOnly()) {
        const std::vector<std::string> texts = itemTexts();
        const Value value = rt::arg(args, 0).deref();
        const auto at = std::find(texts.begin(), texts.end(), value.isString() ? value.asString() : std::string{"\x01"});
        field(kListIndex) = number(at == texts.end() ? 0 : static_cast<int64_t>(at - texts.begin()) + 1);
    }
    return result;
}

// Shows item `index` of the list as the value; the user's change.
void XGridEdit::showItem(int64_t index) {
    const std::vector<std::string> texts = itemTexts();
    if (index < 1 || index > static_cast<int64_t>(texts.size())) return;
    field(kListIndex) = number(index);
    XMaskEdit::SetValue(Vals{Value(texts[static_cast<size_t>(index - 1)])});
    rt::send(*this, "Change");
}

void XGridEdit::acceptListItem(int64_t index) {
    setButtonState(kNormal);
    const std::vector<std::string> texts = itemTexts();
    if (index < 1 || index > static_cast<int64_t>(texts.size())) return;
    field(kListIndex) = number(index);
    XMaskEdit::SetValue(Vals{Value(texts[static_cast<size_t>(index - 1)])});
    fireEvent(*this, OnChange, {number(index)});
}

void XGridEdit::setDropped(bool on) {
    field(kDropped) = on;
    if (!on) field(kDropList) = Value();
}

// ---------------------------------------------------------------- the button and the list

Value XGridEdit::BtnClick(rt::Args) {
    XBrwColumn* c = column();
    if (!c) return {};
    auto value = std::make_shared<Value>(rt::send(*this, "Value"));
    field(kOnClick) = true;
    const Value answer = fireEvent(*c, XBrwColumn::OnBtnClick, {Value::reference(value)});
    field(kOnClick) = false;
    const Value chosen = answer.isNil() ? *value : answer;
    if (!chosen.isNil() && !answer.isNil()) {
        rt::send(*this, "_Value", {chosen});
        rt::send(*this, "Change");
    }
    if (!multiEdit())
        cancelEdit(false, VK_RETURN);
    else if (windowExists())
        PostMessageA(toHwnd(Handle()), WM_KEYDOWN, VK_TAB, 0);
    return {};
}

Value XGridEdit::ShowDropList(rt::Args) {
    if (lDropped() || !hasItems()) return false;
    field(kDropList) = TDropList::open(*this);
    return !field(kDropList).isNil();
}

Value XGridEdit::SeekOnList(rt::Args args) {
    const auto key = static_cast<char>(rt::arg(args, 0).asInteger() & 0xFF);
    const std::string prefix = field(kIncSeek).asString() + static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
    const int64_t found = findListPrefix(itemTexts(), prefix);
    if (!found) {
        MessageBeep(MB_OK);
        return false;
    }
    field(kIncSeek) = Value(prefix);
    showItem(found);
    send(EM_SETSEL, 0, static_cast<intptr_t>(prefix.size()));
    return true;
}

Value XGridEdit::VPClick(rt::Args args) {
    if (nEditMode() == kPlainEditor || !onButton(rt::arg(args, 1).asInteger())) return false;
    if (windowExists()) ::SetFocus(toHwnd(Handle()));
    if (nEditMode() == kEllipsisEditor)
        BtnClick({});
    else if (!lDropped())
        ShowDropList({});
    return true;
}

// ---------------------------------------------------------------- mouse

Value XGridEdit::WMNCHitTest(rt::Args args) {
    if (nEditMode() == kPlainEditor || !windowExists()) return {};
    HWND h = toHwnd(Handle());
    const int64_t lParam = rt::arg(args, 1).asInteger();
    POINT p{static_cast<LONG>(static_cast<int16_t>(lParam & 0xFFFF)), static_cast<LONG>(static_cast<int16_t>((lParam >> 16) & 0xFFFF))};
    ::ScreenToClient(h, &p);
    if (onButton(p.x)) {
        ::SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
        if (field(kBtnState).asInteger() == kNormal) {
            setButtonState(kHot);
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, h, 0};
            TrackMouseEvent(&track);
        }
    } else {
        ::SetCursor(reinterpret_cast<HCURSOR>(GetClassLongPtrA(h, GCLP_HCURSOR)));
        setButtonState(kNormal);
    }
    return {};
}

Value XGridEdit::WMMouseLeave(rt::Args) {
    setButtonState(kNormal);
    return Value(0);
}

// With a button the cursor was chosen by the hit test; a plain editor keeps the edit's own.
Value XGridEdit::WMSetCursor(rt::Args args) {
    if (nEditMode() == kPlainEditor) return XMaskEdit::WMSetCursor(args);
    return true;
}

Value XGridEdit::WMLButtonDown(rt::Args args) {
    if (!onButton(clientX(rt::arg(args, 1).asInteger()))) return XMaskEdit::WMLButtonDown(args);
    setButtonState(kPressed);
    XControl::WMLButtonDown(args);
    return Value(0);  // the caret stays where it was
}

Value XGridEdit::WMLButtonUp(rt::Args args) {
    if (nEditMode() != kPlainEditor) {
        const bool pressed = field(kBtnState).asInteger() == kPressed;
        const int64_t x = clientX(rt::arg(args, 1).asInteger());
        setButtonState(onButton(x) ? kHot : kNormal);
        // A press and a release both on the button make its click.
        if (pressed && onButton(x)) VPClick(Vals{rt::arg(args, 0), number(x), Value()});
    }
    return XMaskEdit::WMLButtonUp(args);
}

Value XGridEdit::WMLButtonDblClk(rt::Args args) {
    if (!onButton(clientX(rt::arg(args, 1).asInteger()))) return XMaskEdit::WMLButtonDblClk(args);
    setButtonState(kPressed);
    if (nEditMode() == kEllipsisEditor)
        BtnClick({});
    else if (!lDropped())
        ShowDropList({});
    return Value(0);
}

// ---------------------------------------------------------------- focus and keys

Value XGridEdit::WMKillFocus(rt::Args args) {
    const bool hidden = !windowExists() || !(GetWindowLongPtrA(toHwnd(Handle()), GWL_STYLE) & WS_VISIBLE);
    if (field(kOnClick).asLogical() || hidden) return XMaskEdit::WMKillFocus(args);
    field(kIncSeek) = Value("");
    const auto nextWindow = static_cast<intptr_t>(rt::arg(args, 0).asInteger());
    const Value next = controlOfWindow(nextWindow);
    HWND root = GetAncestor(toHwnd(Handle()), GA_ROOT);
    const bool sameForm = nextWindow && GetAncestor(toHwnd(nextWindow), GA_ROOT) == root;
    const bool keepsEdit = !sameForm || toHwnd(nextWindow) == root || rt::objectAs<XGridEdit>(next) != nullptr;
    const Value result = XMaskEdit::WMKillFocus(args);
    // Another control of the form ends the edit with the values kept; another grid editor, the drop list,
    // another program or the form itself leave it open.
    if (!keepsEdit) exitAndSave(0, next);
    return result;
}

void XGridEdit::enterKey() {
    XBrowse* g = grid();
    XBrwColumn* own = column();
    if (!g || !own) return;
    if (multiEdit()) {
        XBrwColumn* last = nullptr;
        for (XBrwColumn* c : g->columns())
            if (c->openEditor() && c->editorReady()) last = c;
        if (last != own) {
            rt::send(*g, "ChangeFocus", {Value(own->self()), false});
            return;
        }
    }
    exitAndSave(VK_RETURN);
}

Value XGridEdit::WMKeyDown(rt::Args args) {
    const int64_t key = rt::arg(args, 0).asInteger();
    switch (key) {
        case VK_ESCAPE: cancelEdit(true, VK_ESCAPE); return Value(0);
        case VK_BACK: return XMaskEdit::WMKeyDown(args);
        case VK_F2:
            if (nEditMode() != kEllipsisEditor) break;
            BtnClick({});
            return Value(0);
        case VK_F4: ShowDropList({}); return Value(0);
        case VK_UP:
        case VK_DOWN:
            field(kIncSeek) = Value("");
            if (listReadOnly())
                showItem(steppedListIndex(nListIndex(), static_cast<int64_t>(itemTexts().size()), key == VK_DOWN));
            return Value(0);
        case VK_RETURN: enterKey(); return Value(0);
        default:
            if (listReadOnly() && key < 128 && std::isalnum(static_cast<unsigned char>(key))) SeekOnList(Vals{number(key)});
            break;
    }
    return XMaskEdit::WMKeyDown(args);
}

Value XGridEdit::WMChar(rt::Args args) {
    const int64_t key = rt::arg(args, 0).asInteger();
    if (key == VK_ESCAPE || key == VK_RETURN) return Value(0);
    if (key != kTabKey) return XMaskEdit::WMChar(args);
    XBrowse* g = grid();
    XBrwColumn* own = column();
    if (!g || !own) return Value(0);
    if (multiEdit())
        rt::send(*g, "ChangeFocus", {Value(own->self()), Value(GetKeyState(VK_SHIFT) < 0)});
    else
        exitAndSave(kTabKey);
    return Value(0);
}

// ---------------------------------------------------------------- painting

void XGridEdit::paintButton(intptr_t dcHandle) {
    HDC dc = reinterpret_cast<HDC>(dcHandle);
    const int64_t width = nClientWidth(), height = nClientHeight();
    RECT button{static_cast<LONG>(width - 15), -1, static_cast<LONG>(width + 1), static_cast<LONG>(height + 1)};
    const int64_t state = field(kBtnState).asInteger();
    HWND h = toHwnd(Handle());
    bool drawn = false;
    if (theme::isAppThemed()) {
        const auto data = theme::openThemeData(h, nEditMode() == kEllipsisEditor ? L"Button" : L"Combobox");
        if (data) {
            drawn = SUCCEEDED(theme::drawThemeBackground(data, dc, kThemeButtonPart, static_cast<int>(state), &button,
                                                         nullptr));
            theme::closeThemeData(data);
        }
    }
    if (!drawn) {
        const UINT pushed = state == kPressed ? DFCS_PUSHED : 0;
        if (nEditMode() == kEllipsisEditor)
            DrawFrameControl(dc, &button, DFC_BUTTON, DFCS_BUTTONPUSH | pushed);
        else
            DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLDOWN | pushed);
    }
    if (nEditMode() == kEllipsisEditor) drawDots(dc, button, GetSysColor(COLOR_BTNTEXT));
}

Value XGridEdit::WMPaint(rt::Args args) {
    if (nEditMode() == kPlainEditor || !windowExists()) return {};
    HWND h = toHwnd(Handle());
    auto given = reinterpret_cast<HDC>(static_cast<intptr_t>(rt::arg(args, 0).asInteger()));
    PAINTSTRUCT ps{};
    HDC dc = given ? given : ::BeginPaint(h, &ps);
    RECT client{};
    GetClientRect(h, &client);
    {
        win::Clipped clip(dc, RECT{0, 0, client.right - 14, client.bottom});
        prevWindowProc(reinterpret_cast<intptr_t>(h), WM_PAINT, reinterpret_cast<uintptr_t>(dc), 0);
    }
    paintButton(reinterpret_cast<intptr_t>(dc));
    if (!given) ::EndPaint(h, &ps);
    return false;
}

// ---------------------------------------------------------------- the data-aware side

// A writable editor shows its field's value (the field's default while it has none).
Value XGridEdit::GetData(rt::Args) {
    const Value fieldObject = rt::send(*this, "oDataField");
    if (!lReadOnly() && fieldObject.isObject()) {
        Value value = rt::send(fieldObject, "Value");
        if (value.isNil()) value = rt::send(fieldObject, "DefValue");
        rt::send(*this, "_Value", {value});
    }
    return rt::send(*this, "Value");
}

Value XGridEdit::SetData(rt::Args) {
    Value value = rt::send(*this, "Value");
    const Value bound = aItemsBound({});
    if (listReadOnly() && bound.isArray()) {
        const auto& values = bound.asArray()->items;
        const std::vector<std::string> texts = itemTexts();
        const auto at = std::find(texts.begin(), texts.end(), value.isString() ? value.asString() : std::string{"\x01"});
        const auto index = static_cast<size_t>(at - texts.begin());
        if (at != texts.end() && index < values.size()) value = values[index];
    }
    const Value fieldObject = rt::send(*this, "oDataField");
    if (fieldObject.isObject()) rt::send(fieldObject, "SetValue", {value, Value(true)});
    return value;
}

Value XGridEdit::Lock(rt::Args) { return {}; }
Value XGridEdit::UnLock(rt::Args) { return {}; }

// ================================================================ TDropList

namespace {

constexpr const char* kOwnerProcProperty = "VorpexDropListOwnerProc";

// The owner form's procedure while its list is open: the caption stays active.
LRESULT CALLBACK keepCaptionActive(HWND h, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(h, kOwnerProcProperty));
    if (message == WM_NCACTIVATE) return TRUE;
    return previous ? CallWindowProcA(previous, h, message, wParam, lParam) : DefWindowProcA(h, message, wParam, lParam);
}

}  // namespace

const rt::Class& TDropList::classRecord() {
    static const rt::Class& c = []() -> const rt::Class& {
        VPClass b("TDropList", &TForm::classRecord(), rt::factoryOf<TDropList>());
        kEdit = b.addData("oEdit");
        kListBox = b.addComponent("oLB", "TListBox");
        addMembers<TDropList>(b);
        return b.create();
    }();
    return c;
}

XGridEdit* TDropList::editor() const {
    rt::ObjectPtr e = field(kEdit).asObject();
    return dynamic_cast<XGridEdit*>(e.get());
}

intptr_t TDropList::ownerWindow() const {
    XGridEdit* e = editor();
    return e ? handleOf(rt::send(*e, "GetForm")) : 0;
}

Value TDropList::Initialize(rt::Args) {
    const intptr_t owner = ownerWindow();
    HWND h = toHwnd(owner);
    if (!owner || owner_ || GetPropA(h, kOwnerProcProperty)) return false;
    const LONG_PTR previous = GetWindowLongPtrA(h, GWLP_WNDPROC);
    SetPropA(h, kOwnerProcProperty, reinterpret_cast<HANDLE>(previous));
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&keepCaptionActive));
    owner_ = owner;
    return true;
}

Value TDropList::Uninitialize(rt::Args) {
    if (!owner_) return {};
    HWND h = toHwnd(owner_);
    owner_ = 0;
    const HANDLE previous = GetPropA(h, kOwnerProcProperty);
    if (GetWindowLongPtrA(h, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&keepCaptionActive))
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropA(h, kOwnerProcProperty);
    return {};
}

Value TDropList::New(rt::Args args) {
    auto editor = rt::objectAs<XGridEdit>(rt::arg(args, 0));
    if (!editor) return XForm::New(args);
    if (editor->lDropped() || editor->itemTexts().empty()) return {};
    field(kEdit) = Value::weak(editor);
    // The owner's procedure is taken before anything is made: a form that shows a list already opens no second.
    if (!Initialize({}).asLogical()) return {};
    const Value form = rt::send(*editor, "GetForm");
    setListed(false);
    XForm::New(Vals{form});
    rt::send(*this, "_nBorderStyle", {number(bsNONE)});
    rt::send(*this, "SetColor", {number(0), number(0)});  // the black frame around the list
    rt::send(*this, "Create", {form});
    build(*editor);
    return selfObject();
}

Value TDropList::open(XGridEdit& editor) {
    return rt::send(Value(classRecord().instantiate()), "New", {Value(editor.self())});
}

void TDropList::build(XGridEdit& e) {
    e.setDropped(true);
    HWND editWindow = toHwnd(e.Handle());
    RECT r{};
    GetWindowRect(editWindow, &r);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);

    const Value self = selfObject();
    Value list = rt::send(Value(TListBox::classRecord().instantiate()), "New", {self});
    rt::send(list, "_lBorder", {false});
    rt::send(list, "_lIntegralHeight", {false});
    rt::send(list, "SetBounds", {1, 1, number(r.right - r.left + 3), 118});
    rt::send(list, "Create");
    field(kListBox) = list;
    const std::vector<std::string> texts = e.itemTexts();
    std::vector<Value> items(texts.begin(), texts.end());
    rt::send(list, "SetItems", {Value::array(std::move(items))});
    const std::string current = rt::send(e, "GetText").asString();
    const auto at = std::find(texts.begin(), texts.end(), current);
    if (at != texts.end()) rt::send(list, "SetCurSel", {number(static_cast<int64_t>(at - texts.begin()) + 1)});

    HWND listWindow = toHwnd(handleOf(list));
    HDC dc = GetDC(listWindow);
    int64_t widest = 0;
    {
        win::Selected font(dc, reinterpret_cast<HFONT>(SendMessageA(listWindow, WM_GETFONT, 0, 0)));
        for (const std::string& t : texts) {
            SIZE size{};
            GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &size);
            widest = std::max<int64_t>(widest, size.cx);
        }
    }
    ReleaseDC(listWindow, dc);
    const DropListPlacement place = dropListPlacement(
        {.editor = {r.left, r.top, r.right, r.bottom},
         .workArea = {work.left, work.top, work.right, work.bottom},
         .itemHeight = SendMessageA(listWindow, LB_GETITEMHEIGHT, 0, 0),
         .itemCount = static_cast<int64_t>(texts.size()),
         .widestText = widest,
         .scrollBarWidth = GetSystemMetrics(SM_CXVSCROLL)});
    rt::send(list, "SetBounds", {1, 1, number(place.listWidth), number(place.listHeight)});
    HWND h = toHwnd(Handle());
    SetWindowPos(h, nullptr, static_cast<int>(place.form.left), static_cast<int>(place.form.top),
                 static_cast<int>(place.form.width()), static_cast<int>(place.form.height()), SWP_NOZORDER | SWP_NOACTIVATE);

    std::weak_ptr<rt::Object> weak = self.asObject();
    rt::send(list, "_OnChange", {Value(rt::makeBlock([weak](rt::Args) {
                 auto d = std::dynamic_pointer_cast<TDropList>(weak.lock());
                 if (d && !d->stepping_) rt::send(Value(d), "Ok");
                 return Value();
             }))});
    rt::send(list, "_OnKeyDown", {Value(rt::makeBlock([weak](rt::Args a) {
                 auto d = weak.lock();
                 return d ? rt::send(Value(d), "LBKeyDown", {rt::arg(a, 0), rt::arg(a, 1), rt::arg(a, 2)}) : Value();
             }))});
    ShowWindow(h, SW_SHOW);
    ::SetFocus(listWindow);
}

Value TDropList::LBKeyDown(rt::Args args) {
    const int64_t key = rt::arg(args, 1).asInteger();
    if (key == VK_RETURN) return Ok({});
    if (key == VK_F4 || key == VK_ESCAPE) {
        if (windowExists()) PostMessageA(toHwnd(Handle()), WM_CLOSE, 0, 0);
        return Value(0);
    }
    // The arrows move the selection without choosing it.
    stepping_ = true;
    prevWindowProc(handleOf(field(kListBox)), WM_KEYDOWN, static_cast<uintptr_t>(key), rt::arg(args, 2).asInteger());
    stepping_ = false;
    return Value(0);
}

Value TDropList::Ok(rt::Args) {
    const Value list = field(kListBox);
    if (XGridEdit* e = editor()) {
        const int64_t index = rt::send(list, "GetCurSel").asInteger();
        if (index > 0) e->acceptListItem(index);
    }
    if (windowExists()) PostMessageA(toHwnd(Handle()), WM_CLOSE, 0, 0);
    XGridEdit* e = editor();
    XBrowse* g = e ? e->grid() : nullptr;
    if (g && !rt::send(*g, "IsMultipleEdit").asLogical()) e->exitAndSave(VK_RETURN);
    return Value(0);
}

Value TDropList::WMActivate(rt::Args args) {
    const int64_t state = rt::arg(args, 0).asInteger() & 0xFFFF;
    if (state != WA_INACTIVE) return {};
    Uninitialize({});
    HWND self = toHwnd(Handle());
    PostMessageA(self, WM_CLOSE, 0, 0);
    HWND other = reinterpret_cast<HWND>(static_cast<intptr_t>(rt::arg(args, 1).asInteger()));
    HWND owner = toHwnd(ownerWindow());
    if (owner && (!other || (other != owner && other != GetParent(owner)))) SendMessageA(owner, WM_NCACTIVATE, FALSE, 0);
    return {};
}

Value TDropList::WMNCDestroy(rt::Args args) {
    Uninitialize({});
    if (XGridEdit* e = editor()) {
        e->setDropped(false);
        e->setButtonState(1);
        if (const intptr_t owner = ownerWindow()) InvalidateRect(toHwnd(owner), nullptr, FALSE);
    }
    return XForm::WMNCDestroy(args);
}

}  // namespace vorpex
