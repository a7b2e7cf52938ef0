// XStdControl: a control built on a standard Windows window class. It adds the border and 3-D edge, the tab
// stop, dropped files, the status-bar message and the enable-state request. TStdControl is its user class.
#pragma once

#include "framework/core/control/control.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"

namespace vorpex {

class XStdControl : public TControl {
public:
    using TControl::TControl;
    static const rt::Class& classRecord();
    VP_METHODS(Set3D, SetBorder, WMDropFiles)
    VP_VIRTUALS(RequestState, SetTabStop)
    VP_OVERRIDES(CreateHandle, WMSetFocus)

    static inline const EventRef OnCheckState{"OnCheckState"}, OnDropFiles{"OnDropFiles"};

    bool lBorder() const { return field(kBorder).asLogical(); }
    bool l3D() const { return field(k3D).asLogical(); }
    const rt::Value& cMessage() const { return field(kMessage); }

protected:
    static inline int kMessage = -1, kDragAccept = -1, kDropFiles = -1, k3D = -1;

private:
    rt::Value SetDragAcceptFiles(rt::Args args);
};

using TStdControl = UserClass<XStdControl, "TStdControl">;

}  // namespace vorpex
