// XForm: building, showing, closing and ending a form; styles, icon, saved state and components.
#include "framework/core/form/form.h"

#include <windows.h>

#include "framework/core/app/message_loop.h"
#include "framework/core/form/form_state.h"
#include "framework/core/form/form_styles.h"
#include "framework/core/form/mdi_client.h"
#include "framework/core/native/application_value.h"
#include "framework/core/native/win_casts.h"
#include "framework/core/native/win_window.h"
#include "framework/core/window/object_link.h"
#include "framework/core/window/window_proc.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

using rt::Value;

using native::number;
using win::toHwnd;

// A dialog form's system menu keeps Move and Close only.
bool dialogKeeps(UINT command) { return command == SC_MOVE || command == SC_CLOSE; }

// Separators at either end, or two in a row, are what deleting commands leaves behind.
void tidySeparators(HMENU menu) {
    bool previousWasSeparator = true;  // a separator at the top goes
    for (int i = 0; i < GetMenuItemCount(menu);) {
        const bool separator = GetMenuItemID(menu, i) == 0 && (GetMenuState(menu, i, MF_BYPOSITION) & MF_SEPARATOR);
        if (separator && previousWasSeparator) {
            DeleteMenu(menu, i, MF_BYPOSITION);
            continue;
        }
        previousWasSeparator = separator;
        ++i;
    }
    const int count = GetMenuItemCount(menu);
    if (count > 0 && (GetMenuState(menu, count - 1, MF_BYPOSITION) & MF_SEPARATOR))
        DeleteMenu(menu, count - 1, MF_BYPOSITION);
}

}  // namespace

// The log window's form (debug area): never listed by the application.
void setFormUnlisted(const Value& form) {
    if (auto f = rt::objectAs<XForm>(form)) f->setListed(false);
}

// ---- building

Value XForm::New(rt::Args args) {
    XWinControl::New(args.first(std::min<size_t>(args.size(), 1)));
    {
        // The set-up runs as the form's own code: event handlers named there bind to the form.
        rt::FrameGuard setup(this, &objectClass(), rt::Symbol::intern("CreateForm"));
        rt::send(*this, "CreateForm", {Value(true)});
    }
    fireEvent(*this, OnInitialize);
    rt::send(*this, "CreateMDIClient");
    return selfObject();
}

Value XForm::CreateForm(rt::Args) { return selfObject(); }

Value XForm::FormOfForm(rt::Args) {
    field(kForm) = Value::weak(self());
    return selfObject();
}

void XForm::applyBorderStyle() {
    const std::optional<FormStyles> s = formStyles(static_cast<int>(nBorderStyle()), field(kClassStyle).asInteger(),
                                                   sendIfUnderstood(application(), "nWinVer").asDouble());
    if (!s) return;
    setCtlStyle(s->style);
    setExStyle(s->exStyle);
    field(kClassStyle) = number(s->classStyle);
    // A plain form is registered under the name of its style; a program's own form class keeps its name.
    const int nameField = objectClass().fieldPosition("ClassName");
    if (nameField >= 0 && isStyleClassName(field(nameField).asString())) field(nameField) = Value(s->className);
}

Value XForm::SetBorderStyle(rt::Args args) {
    const Value& n = rt::arg(args, 0);
    if (n.isNumber()) field(kBorderStyle) = n;
    if (windowExists()) return field(kBorderStyle);  // the window's class and frame are made at creation
    applyBorderStyle();
    return field(kBorderStyle);
}

void XForm::applyCreationStyles() {
    rt::send(*this, "SetBorderStyle");
    int64_t style = nCtlStyle(), ex = nExStyle();
    if (!field(kSysMenu).asLogical()) style &= ~int64_t{WS_SYSMENU};
    if (!field(kMinimizeBox).asLogical()) style &= ~int64_t{WS_MINIMIZEBOX};
    if (!field(kMaximizeBox).asLogical()) style &= ~int64_t{WS_MAXIMIZEBOX};
    if (field(kHelpIcon).asLogical()) ex |= WS_EX_CONTEXTHELP;
    if (isMdiChild()) ex |= WS_EX_MDICHILD;
    const bool first = listed_ && sendIfUnderstood(application(), "oMainForm").isNil();
    if (first || field(kAppWindow).asLogical()) ex |= WS_EX_APPWINDOW;
    style = ctl::changeBits(style, WS_VISIBLE, false);  // shown by Show, never by creation
    setCtlStyle(style);
    setExStyle(ex);
}

Value XForm::mdiClientOfParent() {
    auto parentForm = rt::objectAs<XForm>(parentValue());
    return parentForm ? parentForm->field(kMdiClient) : Value();
}

intptr_t XForm::parentWindow() {
    if (isMdiChild()) {
        const Value client = mdiClientOfParent();
        if (!client.isNil()) {
            field(kMdiClient) = client;
            return handleOf(client);
        }
    }
    return handleOf(parentValue());
}

Value XForm::Create(rt::Args args) {
    if (windowExists()) return selfObject();
    Value parent = rt::arg(args, 0);
    if (parent.isNil()) parent = parentValue();
    if (parent.isNil()) parent = controlOfWindow(reinterpret_cast<intptr_t>(GetActiveWindow()));
    if (parent.isNil()) parent = application();
    if (auto p = parent.asObject()) setParent(p);
    field(kForm) = Value::weak(self());
    if (field(kModal).asLogical() && isMdiChild()) field(kFormType) = ftNORMAL;

    applyCreationStyles();
    rt::send(*this, "Register");
    fireEvent(*this, OnBeforeCreate);
    rt::send(*this, "Link", {Value(isMdiChild())});
    const intptr_t owner = parentWindow();
    if (!formScaled_) {
        rt::send(*this, "Scale");
        formScaled_ = true;
        requestedWidth_ = field(kClientWidth);
        requestedHeight_ = field(kClientHeight);
    }

    const ctl::Bounds b = bounds();
    const std::string className = rt::send(*this, "ClassName").asString();
    HWND h = CreateWindowExA(static_cast<DWORD>(nExStyle()), className.c_str(), field(kText).asString().c_str(),
                             static_cast<DWORD>(nCtlStyle()), static_cast<int>(b.left), static_cast<int>(b.top),
                             static_cast<int>(b.width), static_cast<int>(b.height), toHwnd(owner), nullptr,
                             win::programInstance(), nullptr);
    windowCreationEnded();
    setHandle(reinterpret_cast<intptr_t>(h));
    if (h) afterWindowCreated();

    if (listed_) sendIfUnderstood(application(), "InsertForm", {selfObject()});
    if (isMdiChild()) sendIfUnderstood(field(kMdiClient), "InsertForm", {selfObject()});
    if (h && sendIfUnderstood(selfObject(), "lDragAcceptFiles").asLogical()) DragAcceptFiles(h, TRUE);
    fireEvent(*this, OnCreate);
    return selfObject();
}

void XForm::afterWindowCreated() {
    setCreated(true);
    HWND h = toHwnd(Handle());
    if (nCtlStyle() & WS_CHILD) sendIfUnderstood(parentValue(), "InsertControl", {selfObject()});
    rt::send(*this, "SetFont");
    rt::send(*this, "UpdateBounds");
    const bool clientWidth = requestedWidth_.isNumber() && requestedWidth_.asInteger() > 0;
    const bool clientHeight = requestedHeight_.isNumber() && requestedHeight_.asInteger() > 0;
    if (clientWidth && clientHeight) rt::send(*this, "SetClientSize", {requestedWidth_, requestedHeight_});
    const Value icon = rt::send(*this, "GetIcon");
    if (const intptr_t i = handleOf(icon)) SendMessageA(h, WM_SETICON, ICON_BIG, i);
    if (!field(kCloseBox).asLogical()) {
        HMENU menu = GetSystemMenu(h, FALSE);
        if (menu) {
            DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
            tidySeparators(menu);
        }
    }
    const Value redraw(true);
    Adjust(rt::Args(&redraw, 1));
}

Value XForm::WMCreate(rt::Args args) {
    if (nBorderStyle() == bsDIALOG) {
        HWND h = toHwnd(static_cast<intptr_t>(rt::arg(args, 2).asInteger()));
        if (HMENU menu = GetSystemMenu(h, FALSE)) {
            // By command, not by position: other systems' menus hold other items (Wine adds its own) at other
            // places.
            for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
                const UINT command = GetMenuItemID(menu, i);
                if (command != 0 && !dialogKeeps(command)) DeleteMenu(menu, i, MF_BYPOSITION);
            }
            tidySeparators(menu);
        }
    }
    return {};
}

Value XForm::Scale(rt::Args args) {
    const Value& given = rt::arg(args, 0);
    const Value percent = given.isNumber() ? given : sendIfUnderstood(application(), "nScale");
    const int p = percent.isNumber() ? percent.asInt() : 100;
    XControl::Scale(std::vector<Value>{number(p)});
    for (int position : {kClientWidth, kClientHeight}) {
        const Value& v = field(position);
        if (v.isNumber() && p != 100) field(position) = number(ctl::scaleValue(v.asInteger(), p));
    }
    return {};
}

// ---- showing

Value XForm::Show(rt::Args args) {
    const Value& modeArg = rt::arg(args, 0);
    const Value& centredArg = rt::arg(args, 1);
    const Value mode = modeArg.isNumber() ? modeArg : field(kShowMode);
    const bool centred = centredArg.isLogical() ? centredArg.asLogical() : field(kCentered).asLogical();
    if (!windowExists()) rt::send(*this, "Create");
    if (!windowExists()) return {};
    HWND h = toHwnd(Handle());
    if (centred && !IsWindowVisible(h)) isMdiChild() ? win::centerMdiWindow(h) : win::centerWindow(h);
    XControl::Show(std::vector<Value>{mode});
    rt::send(*this, "UpdateBounds");
    if (isMdiChild()) {
        if (const intptr_t client = handleOf(field(kMdiClient)))
            SendMessageA(toHwnd(client), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
    }
    rt::send(*this, "CreateMDIClient");
    return {};
}

Value XForm::ShowModal(rt::Args args) { return formShowModal(*this, args); }

Value XForm::SetCenteredProperty(rt::Args args) {
    field(kCentered) = rt::arg(args, 0).asLogical();
    if (field(kCentered).asLogical() && windowExists()) {
        HWND h = toHwnd(Handle());
        isMdiChild() ? win::centerMdiWindow(h) : win::centerWindow(h);
    }
    return field(kCentered);
}

Value XForm::Restore(rt::Args) {
    if (windowExists()) ShowWindow(toHwnd(Handle()), SW_RESTORE);
    return {};
}
Value XForm::Maximize(rt::Args) {
    if (windowExists()) ShowWindow(toHwnd(Handle()), SW_MAXIMIZE);
    return {};
}
Value XForm::Minimize(rt::Args) {
    if (windowExists()) ShowWindow(toHwnd(Handle()), SW_MINIMIZE);
    return {};
}

Value XForm::SetFocus(rt::Args) {
    if (!lVisible() || !windowExists()) return Value(false);
    HWND h = toHwnd(Handle());
    const intptr_t client = handleOf(field(kMdiClient));
    if (isMdiChild() && client) {
        auto list = sendIfUnderstood(field(kMdiClient), "aForms").asArray();
        if (!list || list->size() <= 1)
            SendMessageA(toHwnd(client), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(h), 0);
        else
            SendMessageA(toHwnd(client), WM_MDINEXT, reinterpret_cast<WPARAM>(GetWindow(h, GW_HWNDNEXT)), 1);
    } else {
        ::SetFocus(h);
    }
    return Value(false);
}

// ---- closing

Value XForm::Close(rt::Args args) {
    if (!windowExists()) return Value(true);
    HWND h = toHwnd(Handle());
    closeRefused_ = false;
    SendMessageA(h, WM_CLOSE, static_cast<WPARAM>(rt::arg(args, 0).asInteger()), 0);
    // A refused close of a form that was hidden anyway is still a refusal.
    return Value(!IsWindow(h) || (!closeRefused_ && !IsWindowVisible(h)));
}

bool XForm::askOnClose(const Value& form) {
    auto f = rt::objectAs<XForm>(form);
    if (!f) return true;
    auto cell = std::make_shared<Value>(true);
    const Value answer = fireEvent(*f, OnClose, {Value::reference(cell)});
    const bool refused = (answer.isLogical() && !answer.asLogical()) || (cell->isLogical() && !cell->asLogical());
    return !refused;
}

Value XForm::WMClose(rt::Args args) {
    if (rt::arg(args, 0).asInteger() == 0) {
        bool agreed = askOnClose(selfObject());
        if (agreed && nFormType() == ftMDIFRAME) {
            auto list = sendIfUnderstood(field(kMdiClient), "aForms").asArray();
            const std::vector<Value> children = list ? list->items : std::vector<Value>{};
            for (const Value& child : children)
                if (!(agreed = askOnClose(child))) break;
        }
        if (!agreed) {
            closeRefused_ = true;
            return Value(0);
        }
    }
    if (rt::arg(args, 1).asInteger() == 0) {
        const Value previous = field(kPrevWnd);
        if (const intptr_t h = handleOf(previous); h && IsWindow(toHwnd(h))) {
            EnableWindow(toHwnd(h), TRUE);
            ::SetFocus(toHwnd(h));
            field(kPrevWnd) = Value();
        } else if (auto owner = rt::objectAs<XForm>(parentValue()); owner && owner->windowExists()) {
            EnableWindow(toHwnd(owner->Handle()), TRUE);
        }
    }
    if (field(kHideOnClose).asLogical()) {
        rt::send(*this, "Hide");
        return Value(0);
    }
    return {};
}

Value XForm::WMNCDestroy(rt::Args args) {
    Value keep = selfObject();
    XControl::WMNCDestroy(args);
    if (listed_) sendIfUnderstood(application(), "RemoveForm", {keep});
    if (isMdiChild()) sendIfUnderstood(field(kMdiClient), "RemoveForm", {keep});
    return {};
}

Value XForm::Free(rt::Args args) {
    assignEvent(*this, OnSize, Value());
    // From the last to the first; ending one may take others off the list, whose places are then skipped.
    auto list = field(kComponents).asArray();
    if (list) {
        for (size_t i = list->size(); i > 0; --i) {
            if (i > list->size()) continue;
            const Value component = list->items[i - 1];
            sendIfUnderstood(component, "End");
            // A component that did not take itself off is taken off here.
            std::erase_if(list->items, [&](const Value& v) { return v.sameAs(component); });
        }
    }
    field(kActiveControl) = Value();
    if (!field(kParentIcon).asLogical()) {
        const Value own = field(kIcon);
        field(kIcon) = Value();
        sendIfUnderstood(own, "Destroy");
    }
    shortcuts_.clear();
    return XWinControl::Free(args);
}

// ---- components, ids, sizes

Value XForm::InsertComponent(rt::Args args) {
    const Value& o = rt::arg(args, 0);
    auto list = field(kComponents).asArray();
    if (!o.isObject() || !list) return {};
    for (const Value& v : list->items)
        if (v.sameAs(o)) return {};
    list->items.push_back(o);
    return {};
}

Value XForm::RemoveComponent(rt::Args args) {
    const Value& o = rt::arg(args, 0);
    if (auto list = field(kComponents).asArray())
        std::erase_if(list->items, [&](const Value& v) { return v.sameAs(o); });
    return {};
}

Value XForm::GetNewID(rt::Args) {
    field(kLastId) = number(field(kLastId).asInteger() + 1);
    return field(kLastId);
}

namespace {

Value setPair(rt::Object& self, int first, int second, rt::Args args) {
    if (rt::arg(args, 0).isNumber()) self.field(first) = rt::arg(args, 0);
    if (rt::arg(args, 1).isNumber()) self.field(second) = rt::arg(args, 1);
    return Value::array({self.field(first), self.field(second)});
}

}  // namespace

Value XForm::SetMinSize(rt::Args args) { return setPair(*this, kMinWidth, kMinHeight, args); }
Value XForm::SetMaxSize(rt::Args args) { return setPair(*this, kMaxWidth, kMaxHeight, args); }
Value XForm::SetMaxPos(rt::Args args) { return setPair(*this, kMaxPosX, kMaxPosY, args); }

// ---- icon

Value XForm::SetParentIconProperty(rt::Args args) {
    SetIcon(std::vector<Value>{Value(), rt::arg(args, 0)});
    return rt::arg(args, 0);
}

Value XForm::SetIcon(rt::Args args) {
    const Value& x = rt::arg(args, 0);
    const Value& inherit = rt::arg(args, 1);
    if (inherit.isLogical()) field(kParentIcon) = inherit;
    const Value own = field(kIcon);
    field(kIcon) = Value();
    sendIfUnderstood(own, "Destroy");
    if (!x.isNil()) {
        field(kIcon) = x.isObject() ? x : createByClassName("TIcon", "Create", {x});
        field(kParentIcon) = false;
    }
    const Value icon = GetIcon({});
    if (windowExists()) SendMessageA(toHwnd(Handle()), WM_SETICON, ICON_BIG, handleOf(icon));
    return icon;
}

Value XForm::GetIcon(rt::Args) {
    if (field(kParentIcon).asLogical()) {
        const Value inherited = sendIfUnderstood(parentValue(), "GetIcon");
        if (!inherited.isNil()) return inherited;
    }
    return field(kIcon);
}

// ---- saved state

Value XForm::SaveState(rt::Args) {
    if (!windowExists()) return Value("");
    HWND h = toHwnd(Handle());
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    if (!GetWindowPlacement(h, &wp)) return Value("");
    const RECT& r = wp.rcNormalPosition;
    const char mode = IsZoomed(h) ? 'X' : IsIconic(h) ? 'M' : 'N';
    return Value(encodeFormState(r.left, r.top, r.right - r.left, r.bottom - r.top, mode, IsWindowVisible(h) != 0));
}

Value XForm::RestoreState(rt::Args args) {
    const Value& text = rt::arg(args, 0);
    const std::optional<FormState> s = decodeFormState(text.isString() ? text.asString() : std::string());
    if (!s) return {};
    rt::send(*this, "SetBounds", {number(s->left), number(s->top), number(s->width), number(s->height)});
    if (rt::arg(args, 1).asLogical()) return {};
    if (s->mode == 'X') Maximize({});
    if (s->mode == 'M') Minimize({});
    rt::send(*this, s->visible ? "Show" : "Hide");
    return {};
}

// ---- MDI

Value XForm::CreateMDIClient(rt::Args) {
    if (nFormType() != ftMDIFRAME || !field(kMdiClient).isNil() || !windowExists()) return {};
    Value client(TMDIClient::classRecord().instantiate());
    rt::send(client, "Create", {selfObject()});
    field(kMdiClient) = client;
    const intptr_t windowMenu = handleOf(field(kMDIMenu));
    if (windowMenu && handleOf(client))
        SendMessageA(toHwnd(handleOf(client)), WM_MDISETMENU, 0, static_cast<LPARAM>(windowMenu));
    return {};
}

Value XForm::SetMDIMenu(rt::Args args) {
    const Value& menu = rt::arg(args, 0);
    if (!args.empty()) field(kMDIMenu) = menu;
    const intptr_t client = handleOf(field(kMdiClient));
    if (!client || !windowExists()) return menu;
    const intptr_t frameMenu = handleOf(sendIfUnderstood(selfObject(), "oMenu"));
    SendMessageA(toHwnd(client), WM_MDISETMENU, static_cast<WPARAM>(frameMenu),
                 static_cast<LPARAM>(handleOf(field(kMDIMenu))));
    SendMessageA(toHwnd(client), WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(toHwnd(Handle()));
    return menu;
}

// ---- help

Value XForm::Help(rt::Args args) {
    const Value control = rt::arg(args, 0), helpId = rt::arg(args, 1), x = rt::arg(args, 2), y = rt::arg(args, 3);
    if (PreparedEvent handler = VP_PrepareEvent(*this, "OnHelp")) {
        handler.call({control, helpId, x, y});  // the control takes the sender's place
        return Value(0);
    }
    sendIfUnderstood(application(), "Help", {control, helpId, x, y});
    return Value(0);
}

}  // namespace vorpex
