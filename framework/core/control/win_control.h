// XWinControl: a control that contains child controls. It keeps them in creation order, routes their
// WM_COMMAND and WM_NOTIFY messages to them, answers their colour requests, lays them out by alignment and
// anchors, carries a menu and a background picture, and moves the focus through them in tab order.
// TWinControl is its user class.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/control/std_control.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XWinControl : public TStdControl {
public:
    using TStdControl::TStdControl;
    static const rt::Class& classRecord();

    // The children, in creation order (a copy: handlers may change the list).
    std::vector<rt::Value> children() const;
    bool lPopup() const { return field(kPopup).asLogical(); }

    rt::Value Create(rt::Args args) override;
    rt::Value Free(rt::Args args) override;
    rt::Value InsertControl(rt::Args args);
    rt::Value RemoveControl(rt::Args args);
    rt::Value Enable(rt::Args args) override;
    rt::Value Disable(rt::Args args) override;
    rt::Value GoNextControl(rt::Args args);  // ([hWndFrom], [lNoValid]) -> the window focused, 0 for none
    rt::Value GoPrevControl(rt::Args args);
    rt::Value GoFirstControl(rt::Args args);
    rt::Value Redraw(rt::Args args) override;
    rt::Value RequestState(rt::Args args) override;
    rt::Value SetMenu(rt::Args args);
    rt::Value SetBkgnd(rt::Args args);
    rt::Value SetBkgndMode(rt::Args args);
    rt::Value SetTabStop(rt::Args args) override;
    rt::Value CtlColor(rt::Args args);  // (hDC, hWndChild), bound to the five WM_CTLCOLOR* messages
    rt::Value AlignControls(rt::Args args);  // ([aRect], [lOffset])
    rt::Value WMSetFocus(rt::Args args) override;
    rt::Value WMCommand(rt::Args args);
    rt::Value WMNotify(rt::Args args) override;
    rt::Value WMSize(rt::Args args);
    rt::Value WMScroll(rt::Args args);  // WMHScroll and WMVScroll: a child scroll bar's report goes to the bar
    rt::Value WMDestroy(rt::Args args);
    rt::Value WMExitMenuLoop(rt::Args args);

private:
    static inline int kBkgndPicture = -1, kBkgndMode = -1, kPopup = -1, kMenu = -1, kControls = -1;

    rt::Value SetActiveControl(rt::Args args);
    rt::Value moveFocus(rt::Args args, bool previous);
    void releaseBackground();
    rt::Value answerChildTip(intptr_t tipWindow, intptr_t toolWindow, void* info);
};

using TWinControl = UserClass<XWinControl, "TWinControl">;

}  // namespace vorpex
