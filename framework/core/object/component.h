// XComponent: the root of every framework class. An owner (`oParent`, a weak back reference), a free-use
// `Cargo`, two-phase construction (`New` makes, `Create` also realises), destruction (`Destroy`, `Free`,
// `End`) and the class's property and event lists. TComponent is its user class.
#pragma once

#include <cstdint>

#include "framework/core/object/event.h"
#include "framework/core/object/members.h"
#include "framework/core/object/user_class.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"

namespace vorpex {

class XComponent : public rt::Object {
public:
    explicit XComponent(const rt::Class& cls) : rt::Object(cls) {}
    static const rt::Class& classRecord();
    VP_METHODS(End)  // Destroy(.T.) -> NIL
    VP_VIRTUALS(Destroy,  // [lFree] -> Self; sends Free when lFree
                Free)     // releases native resources; nothing here

    // Typed access for framework code: never a look-up by name.
    const rt::Value& Cargo() const { return field(kCargo); }
    void setCargo(const rt::Value& v) { field(kCargo) = v; }
    rt::ObjectPtr oParent() const { return field(kParent).asObject(); }
    void setParent(const rt::ObjectPtr& parent) { field(kParent) = rt::Value::weak(parent); }
    bool lCreated() const { return field(kCreated).asLogical(); }
    bool lFree() const { return field(kFree).asLogical(); }
    bool EventAssigned(const EventRef& event) const { return eventAssigned(*this, event); }

    // Messages. Subclasses override the C++ functions; programs may also override them by name, so the
    // framework sends Destroy and Free by name where an override must be reached.
    virtual rt::Value New(rt::Args args);      // [oParent] -> Self
    virtual rt::Value Create(rt::Args args);   // [oParent] -> Self, lCreated .T.
    rt::Value EventAssignedByName(rt::Args args);

protected:
    void setCreated(bool on) { field(kCreated) = on; }
    void setFree(bool on) { field(kFree) = on; }
    rt::Value selfValue() { return rt::Value(self()); }

private:
    static inline int kCargo = -1, kFree = -1, kCreated = -1, kParent = -1;
    rt::Value SetParent(rt::Args args);
};

using TComponent = UserClass<XComponent, "TComponent">;

}  // namespace vorpex
