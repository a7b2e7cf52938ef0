// Events: per-object slots holding a handler (an object and a method symbol, or a block), the setter that
// binds a handler by method name, block, NIL or method pointer, and the ways C++ code fires them.
//
// A slot is two data items of the owning object: the target (an object, stored as a weak back reference, or a
// block, held strongly) and the method symbol. The setter binds a method name to the object that executes the
// assignment: the Self of the frame that sent the setter, skipping block frames.
#pragma once

#include <initializer_list>
#include <string_view>

#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/symbol.h"
#include "runtime/core/value.h"

namespace vorpex {

// An event's two messages, interned once: keep one as a static member of the class that fires it.
class EventRef {
public:
    explicit EventRef(std::string_view name);
    rt::Symbol caller() const { return caller_; }  // "ONCLICK"
    rt::Symbol setter() const { return setter_; }  // "_ONCLICK"

private:
    rt::Symbol caller_;
    rt::Symbol setter_;
};

// Fires the event with the sender first: target:method(sender, args...) or block(sender, args...). By-reference
// arguments stay references. NIL when unassigned or when the sender's class has no such event.
rt::Value fireEvent(rt::Object& sender, const EventRef& event, rt::Args args);
inline rt::Value fireEvent(rt::Object& sender, const EventRef& event, std::initializer_list<rt::Value> args = {}) {
    return fireEvent(sender, event, rt::Args(args.begin(), args.size()));
}

// Assigns through the event's setter, as `owner:OnClick := handler` does (same validation and errors); the
// executing object is the Self of the current frame.
rt::Value assignEvent(rt::Object& owner, const EventRef& event, const rt::Value& handler);

bool eventAssigned(const rt::Object& owner, const EventRef& event);
// True when `name` is an event of the object's class and its slot holds an object or a block.
bool VP_EventAssigned(const rt::Object& owner, std::string_view name);

// A handler looked up for native code that fires with a sender of its own choosing (OnHelp passes the control
// that takes the sender's place): `if (auto e = VP_PrepareEvent(o, "OnHelp")) e.call({oCtrl, nId, x, y});`.
class PreparedEvent {
public:
    PreparedEvent() = default;
    PreparedEvent(rt::Value target, rt::Symbol message) : target_(std::move(target)), message_(message) {}
    explicit operator bool() const { return message_.valid(); }
    // `argsWithSender` are passed as given: the sender first, then the event's arguments.
    rt::Value call(rt::Args argsWithSender) const;
    rt::Value call(std::initializer_list<rt::Value> argsWithSender) const {
        return call(rt::Args(argsWithSender.begin(), argsWithSender.size()));
    }

private:
    rt::Value target_;
    rt::Symbol message_;
};
PreparedEvent VP_PrepareEvent(const rt::Object& owner, std::string_view name);

// Empties every event slot of the object (drops blocks that may hold their owner).
void clearEvents(rt::Object& owner);

// A pointer to a class's method, as `@Button1Click()` is assigned to an event. The setter accepts it when the
// method is one of the executing object's class.
rt::Value methodPointer(const rt::Class& cls, std::string_view method);

// The generic implementations VPClass binds event messages to.
rt::Value eventSetter(rt::Object& self, const rt::Method& m, rt::Args args);
rt::Value eventCaller(rt::Object& self, const rt::Method& m, rt::Args args);

}  // namespace vorpex
