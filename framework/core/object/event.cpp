#include "framework/core/object/event.h"

#include <map>
#include <unordered_map>
#include <vector>

#include "framework/core/object/property_record.h"
#include "runtime/core/block.h"
#include "runtime/core/error.h"
#include "runtime/core/frame.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

constexpr int kSymbolTag = 0x5653;         // "VS": a method symbol kept in an event slot
constexpr int kMethodPointerTag = 0x564D;  // "VM": a pointer to a class's method

// Slots keep their method symbol as a pointer to a stable copy, so firing needs no name look-up.
rt::Value symbolValue(rt::Symbol s) {
    static auto* table = new std::unordered_map<rt::Symbol, rt::Symbol>;
    auto it = table->try_emplace(s, s).first;
    return rt::Value(rt::Pointer{&it->second, kSymbolTag});
}

rt::Symbol symbolOf(const rt::Value& v) {
    rt::Pointer p = v.asPointer();
    if (p.tag != kSymbolTag || !p.address) return {};
    return *static_cast<const rt::Symbol*>(p.address);
}

struct MethodTarget {
    const rt::Class* declaredBy;
    rt::Symbol symbol;
};

const rt::Symbol& evalSymbol() {
    static const rt::Symbol s = rt::Symbol::intern("EVAL");
    return s;
}

// The event caller entry of that name in the object's class, or null.
const rt::Method* callerEntry(const rt::Object& owner, rt::Symbol caller) {
    const rt::Method* m = owner.objectClass().find(caller);
    return m && m->binding == binding::EventCaller && m->position >= 0 ? m : nullptr;
}

void storeSlot(rt::Object& self, int pos, rt::Value target, rt::Symbol method) {
    self.field(pos) = std::move(target);
    self.field(pos + 1) = method.valid() ? symbolValue(method) : rt::Value();
}

// The method symbol a pointer names when that method belongs to the executing object's class.
rt::Symbol pointedMethod(const rt::Value& x, const rt::Object* executing) {
    rt::Pointer p = x.asPointer();
    if (!executing || p.tag != kMethodPointerTag || !p.address) return {};
    const auto* target = static_cast<const MethodTarget*>(p.address);
    const rt::Method* m = executing->objectClass().find(target->symbol);
    return m && m->declaredBy == target->declaredBy ? target->symbol : rt::Symbol();
}

rt::Error assignmentError(int genCode, std::string description, std::string operation, const rt::Value& x) {
    rt::Error e;
    e.genCode = genCode;
    e.subCode = 1004;
    e.description = std::move(description);
    e.operation = std::move(operation);
    e.args = rt::Value::array({x});
    e.canDefault = true;
    return e;
}

rt::Value senderValue(rt::Object& self) { return rt::Value(self.weak_from_this().lock()); }

}  // namespace

EventRef::EventRef(std::string_view name)
    : caller_(rt::Symbol::intern(name)), setter_(rt::Symbol::intern("_" + std::string(name))) {}

rt::Value eventSetter(rt::Object& self, const rt::Method& m, rt::Args args) {
    const int pos = m.position;
    const rt::Value& x = rt::arg(args, 0);
    // The frame on top is this setter's own; the one below belongs to the object running the assignment.
    rt::Object* executing = rt::callerSelf();
    if (x.isNil() || x.isBlock()) {
        storeSlot(self, pos, x, {});
        return x;
    }
    if (x.isString()) {
        // Validate before touching the slot: a mistyped name answered with Default keeps the old handler.
        rt::Error e = assignmentError(rt::eg::NoMethod, "", x.asString(), x);
        e.canRetry = true;
        for (;;) {
            rt::Symbol s = rt::Symbol::find(x.asString());
            if (executing && s && executing->objectClass().understands(s)) {
                storeSlot(self, pos, rt::Value::weak(executing->weak_from_this().lock()), s);
                return x;
            }
            rt::ErrorAnswer a = rt::raise(e);
            if (a.action != rt::ErrorAction::Retry) return a.value;
        }
    }
    if (x.isPointer()) {
        if (rt::Symbol s = pointedMethod(x, executing)) {
            storeSlot(self, pos, rt::Value::weak(executing->weak_from_this().lock()), s);
            return x;
        }
        rt::Error e = assignmentError(rt::eg::Arg, "It is not a valid function pointer.", "", x);
        return rt::raise(e).value;
    }
    // Any other value unassigns the event, and says so instead of passing for a successful assignment.
    storeSlot(self, pos, {}, {});
    rt::Error e = assignmentError(rt::eg::Arg, "It is not a valid event handler.", "", x);
    return rt::raise(e).value;
}

rt::Value eventCaller(rt::Object& self, const rt::Method& m, rt::Args args) {
    const rt::Value target = self.field(m.position);
    rt::Symbol method = symbolOf(self.field(m.position + 1));
    rt::ObjectPtr object = target.asObject();
    rt::BlockPtr block = target.asBlock();
    if (!(object && method) && !block) return {};
    std::vector<rt::Value> all{senderValue(self)};
    all.insert(all.end(), args.begin(), args.end());
    if (object) return rt::send(*object, method, rt::Args(all));
    return block->eval(rt::Args(all));
}

rt::Value fireEvent(rt::Object& sender, const EventRef& event, rt::Args args) {
    const rt::Method* m = callerEntry(sender, event.caller());
    return m ? rt::invoke(sender, *m, args) : rt::Value();
}

rt::Value assignEvent(rt::Object& owner, const EventRef& event, const rt::Value& handler) {
    return rt::send(owner, event.setter(), rt::Args(&handler, 1));
}

bool eventAssigned(const rt::Object& owner, const EventRef& event) {
    const rt::Method* m = callerEntry(owner, event.caller());
    if (!m) return false;
    const rt::Value& target = owner.field(m->position);
    return target.isObject() || target.isBlock();
}

bool VP_EventAssigned(const rt::Object& owner, std::string_view name) {
    rt::Symbol s = rt::Symbol::find(name);
    if (!s) return false;
    const rt::Method* m = callerEntry(owner, s);
    if (!m) return false;
    const rt::Value& target = owner.field(m->position);
    return target.isObject() || target.isBlock();
}

rt::Value PreparedEvent::call(rt::Args argsWithSender) const {
    if (!message_) return {};
    return rt::send(target_, message_, argsWithSender);
}

PreparedEvent VP_PrepareEvent(const rt::Object& owner, std::string_view name) {
    rt::Symbol s = rt::Symbol::find(name);
    const rt::Method* m = s ? callerEntry(owner, s) : nullptr;
    if (!m) return {};
    const rt::Value& target = owner.field(m->position);
    if (rt::ObjectPtr o = target.asObject()) {
        rt::Symbol method = symbolOf(owner.field(m->position + 1));
        return method ? PreparedEvent(rt::Value(o), method) : PreparedEvent();
    }
    if (target.isBlock()) return PreparedEvent(target, evalSymbol());
    return {};
}

void clearEvents(rt::Object& owner) {
    for (const rt::Method& m : owner.objectClass().methods())
        if (m.binding == binding::EventCaller && m.position >= 0) storeSlot(owner, m.position, {}, {});
}

rt::Value methodPointer(const rt::Class& cls, std::string_view method) {
    static auto* targets = new std::map<std::pair<const rt::Class*, size_t>, MethodTarget>;
    rt::Symbol s = rt::Symbol::find(method);
    const rt::Method* m = s ? cls.find(s) : nullptr;
    if (!m) return rt::Value(rt::Pointer{nullptr, kMethodPointerTag});
    auto it = targets->try_emplace({m->declaredBy, s.id()}, MethodTarget{m->declaredBy, s}).first;
    return rt::Value(rt::Pointer{&it->second, kMethodPointerTag});
}

}  // namespace vorpex
