// XForm: a top-level window, an MDI frame or an MDI child. Every form of a program derives from TForm and
// builds itself in CreateForm (properties, Create, then its controls and components with the form as owner).
// The form owns its components (ended in reverse order of creation), its keyboard shortcuts, default and
// cancel buttons and pop-up menu, and turns a close request into OnClose and the modal result. TForm is its
// user class. Windows only; the rules that need no window are in form_rules.h, form_state.h, form_styles.h and
// shortcut_table.h.
//
// Menus and the status bar are reached by name: a menu answers DoAction(nId) -> logical, FindItem(nId),
// RequestState and Handle; a menu item answers cMessage, DrawItem and MeasureItem; a status bar answers
// Resize, lSimple and cSimpleText.
#pragma once

#include "framework/core/form/form_registry.h"
#include "framework/core/form/form_rules.h"
#include "framework/core/form/modal_results.h"
#include "framework/core/form/shortcut_table.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/scrolling/scrolling_win_control.h"

namespace vorpex {

inline constexpr int ftNORMAL = 0, ftMDIFRAME = 1, ftMDICHILD = 2;
inline constexpr int smNORMAL = 1, smMAXIMIZE = 3, smMINIMIZE = 6;

class XForm : public TScrollingWinControl {
public:
    using TScrollingWinControl::TScrollingWinControl;
    static const rt::Class& classRecord();
    // ---- building and closing
    VP_CONSTRUCTORS(New,     // ([oParent]) -> Self, after CreateForm(.T.) and OnInitialize
                    Create)  // ([oParent]) -> Self
    VP_METHODS(CreateForm,           // (lCreate): the program's form fills it
               Show,                 // ([nShowMode], [lCentered])
               ShowModal,            // ([nShowMode], [lCentered]) -> nModalResult
               Close,                // ([nReason]) -> gone or hidden
               Restore,
               Maximize,
               Minimize,
               SetFocus,
               SaveState,
               RestoreState,         // (cState, [lNoShow])
               Scale,
               CreateMDIClient,
               SetBorderStyle,
               SetIcon,              // ([xIcon], [lParentIcon])
               GetIcon,
               SetMinSize,
               SetMaxSize,
               SetMaxPos,
               InsertComponent,
               RemoveComponent,
               SetMDIMenu,
               GetNewID,
               AddShortCut,          // (oCtl, [aKeys])
               DelShortCut,          // (oCtl)
               Help,                 // (oControl, HelpId, nX, nY) -> 0
               // ---- window messages
               WMCreate,
               WMClose,
               WMNCDestroy,
               WMKeyUp,
               WMSysChar,
               WMSize,
               WMShowWindow,
               WMMove,
               WMGetMinMaxInfo,
               WMActivate,
               WMNCActivate,
               WMChildActivate,
               WMWindowPosChanging,
               WMInitMenu,
               WMMenuSelect,
               WMCommand,
               WMSysCommand,
               WMDrawItem,
               WMMeasureItem)
    VP_OVERRIDES(Free, WMKeyDown, WMChar, WMSetFocus)

    static inline const EventRef OnInitialize{"OnInitialize"}, OnClose{"OnClose"}, OnActivate{"OnActivate"},
        OnDeactivate{"OnDeactivate"}, OnSize{"OnSize"}, OnMove{"OnMove"}, OnChangeFocus{"OnChangeFocus"},
        OnMenuSelect{"OnMenuSelect"}, OnHelp{"OnHelp"}, OnHelpClick{"OnHelpClick"};

    int nFormType() const { return field(kFormType).asInt(); }
    int64_t nModalResult() const { return field(kModalResult).asInteger(); }
    bool lActive() const { return field(kActive).asLogical(); }
    rt::Value aComponents() const { return field(kComponents); }
    const ShortcutTable& shortcuts() const { return shortcuts_; }
    // A form the application does not list: never the main form, never disabled by modal runs (the log
    // window). Set before Create.
    void setListed(bool listed) { listed_ = listed; }

    rt::Value FormOfForm(rt::Args args);   // GetForm: a form is its own

private:
    friend struct FormLayout;
    static inline int kParentIcon = -1, kIcon = -1, kAppWindow = -1,
                      kModal = -1, kCentered = -1, kShowMode = -1, kFormType = -1, kSysMenu = -1, kCloseBox = -1,
                      kMinimizeBox = -1, kMaximizeBox = -1, kHelpIcon = -1, kHideOnClose = -1,
                      kDirectShortCuts = -1, kMinWidth = -1, kMinHeight = -1, kMaxWidth = -1, kMaxHeight = -1,
                      kMaxPosX = -1, kMaxPosY = -1, kMsgAuto = -1, kLastId = -1, kMDIMenu = -1,
                      kComponents = -1, kMsgBar = -1, kActive = -1, kModalResult = -1, kMdiClient = -1,
                      kPrevWnd = -1, kPopup = -1, kDefaultButton = -1, kCancelButton = -1;

    rt::Value SetCenteredProperty(rt::Args args);
    rt::Value SetParentIconProperty(rt::Args args);
    rt::Value ShortcutsArray(rt::Args args);

    void applyBorderStyle();
    void applyCreationStyles();
    intptr_t parentWindow();
    void afterWindowCreated();
    void trimSystemMenu(bool dialogStyle);
    bool askOnClose(const rt::Value& form);
    bool usableButton(const rt::Value& button) const;
    rt::Value menuForCommand();
    rt::Value findMenuItem(int64_t id);
    bool isMdiChild() const { return nFormType() == ftMDICHILD; }
    rt::Value mdiClientOfParent();

    ShortcutTable shortcuts_;
    MenuStatusMemory menuStatus_;
    bool listed_ = true;
    bool closeRefused_ = false;  // the last WM_CLOSE was refused by OnClose
    bool formScaled_ = false;  // bounds and the requested client size are design units until the first window
    rt::Value requestedWidth_, requestedHeight_;
};

using TForm = UserClass<XForm, "TForm">;

}  // namespace vorpex
