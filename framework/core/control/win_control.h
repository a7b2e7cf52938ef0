// XWinControl: a control that contains child controls. It keeps them in creation order, routes their
// WM_COMMAND and WM_NOTIFY messages to them, answers their colour requests, lays them out by alignment and
// anchors, carries a menu and a background picture, and moves the focus through them in tab order.
// TWinControl is its user class.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/control/std_control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XWinControl : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();
    VP_CONSTRUCTORS(Create)
    VP_METHODS(InsertControl,
               RemoveControl,
               GoNextControl,   // ([hWndFrom], [lNoValid]) -> the window focused, 0 for none
               GoPrevControl,
               GoFirstControl,
               SetMenu,
               SetBkgnd,
               SetBkgndMode,
               CtlColor,        // (hDC, hWndChild), bound to the five WM_CTLCOLOR* messages
               AlignControls,   // ([aRect], [lOffset])
               WMCommand,
               WMDestroy,
               WMExitMenuLoop,
               WMSize)
    VP_OVERRIDES(Free, Enable, Disable, Redraw, RequestState, SetTabStop, WMSetFocus, WMNotify)

    // The children, in creation order (a copy: handlers may change the list).
    std::vector<rt::Value> children() const;
    bool lPopup() const { return field(kPopup).asLogical(); }

    rt::Value WMScroll(rt::Args args);  // WMHScroll and WMVScroll: a child scroll bar's report goes to the bar

private:
    static inline int kBkgndPicture = -1, kBkgndMode = -1, kPopup = -1, kMenu = -1, kControls = -1;

    rt::Value SetActiveControl(rt::Args args);
    rt::Value moveFocus(rt::Args args, bool previous);
    void releaseBackground();
    rt::Value answerChildTip(intptr_t tipWindow, intptr_t toolWindow, void* info);
};

using TWinControl = UserClass<XWinControl, "TWinControl">;

}  // namespace vorpex
