// XTimer: fires OnTimer every nInterval milliseconds while enabled, from a hidden message-only window of its
// own (timer id 1). It joins its owner's components, so a form ends its timers with itself. A timer without an
// OnTimer handler never runs. TTimer is its user class. Windows only.
#pragma once

#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "framework/core/object/win_object.h"

namespace vorpex {

class XTimer : public TWinObject {
public:
    using TWinObject::TWinObject;
    static const rt::Class& classRecord();
    VP_METHODS(SetInterval,  // ([n]) -> Self: restarts when enabled and handled
               Enable,
               Disable,
               Stop,
               WMTimer)

    static inline const EventRef OnTimer{"OnTimer"};

    int nInterval() const { return field(kInterval).asInt(); }
    bool lEnabled() const { return field(kEnabled).asLogical(); }
    // Whether the system timer is running now.
    bool running() const { return running_; }

    rt::Value New(rt::Args args) override;      // ([oParent])
    rt::Value Create(rt::Args args) override;   // ([oParent], [nInterval], [bOnTimer])
    rt::Value SetEnabled(rt::Args args);        // the lEnabled setter
    rt::Value Free(rt::Args args) override;
    rt::Value Destroy(rt::Args args) override;  // ([lFree]): leaves the owner's components first

private:
    static inline int kInterval = -1, kEnabled = -1;
    void createWindow();
    void stopTimer();

    bool running_ = false;
    bool firing_ = false;  // OnTimer is running: a handler that serves messages must not be entered again
};

using TTimer = UserClass<XTimer, "TTimer">;

}  // namespace vorpex
