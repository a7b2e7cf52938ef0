#include "send.h"

#include <vector>

#include "block.h"
#include "class.h"
#include "error.h"
#include "frame.h"
#include "object.h"

namespace rt {

Value invokeAccessor(Object& self, const Method& m, Args args);

namespace {

const Symbol& evalSymbol() {
    static const Symbol s = Symbol::intern("EVAL");
    return s;
}

Value noMethod(const Value& receiver, Symbol message, Args args, bool& retry) {
    std::vector<Value> all{receiver};
    all.insert(all.end(), args.begin(), args.end());
    Error e = noMethodError(message.name(), Args(all));
    ErrorAnswer a = raise(e);
    retry = a.action == ErrorAction::Retry;
    return a.value;
}

}  // namespace

Value invoke(Object& self, const Method& m, Args args) {
    // The receiver stays alive until its method returns, even when the method drops the last owner.
    ObjectPtr keepAlive = self.weak_from_this().lock();
    FrameGuard frame(&self, &self.objectClass(), m.symbol);
    switch (m.kind) {
        case MethodKind::Native: return m.native ? m.native(self, m, args) : Value();
        case MethodKind::Inline: {
            std::vector<Value> all{Value(keepAlive)};
            all.insert(all.end(), args.begin(), args.end());
            return m.inlineBlock ? m.inlineBlock->eval(Args(all)) : Value();
        }
        case MethodKind::Virtual: return Value();
        default: return invokeAccessor(self, m, args);
    }
}

Value send(Object& receiver, Symbol message, Args args) {
    for (;;) {
        if (const Method* m = receiver.objectClass().find(message)) return invoke(receiver, *m, args);
        if (const UnknownMessageHandler* h = receiver.objectClass().unknownMessageHandler()) {
            ObjectPtr keepAlive = receiver.weak_from_this().lock();
            FrameGuard frame(&receiver, &receiver.objectClass(), message);
            return (*h)(receiver, message, args);
        }
        bool retry = false;
        Value v = noMethod(Value(receiver.weak_from_this().lock()), message, args, retry);
        if (!retry) return v;
    }
}

Value send(const Value& receiver, Symbol message, Args args) {
    if (auto o = receiver.asObject()) return send(*o, message, args);
    for (;;) {
        if (auto b = receiver.asBlock(); b && message == evalSymbol()) return b->eval(args);
        bool retry = false;
        Value v = noMethod(receiver, message, args, retry);
        if (!retry) return v;
    }
}

bool understands(const Value& receiver, Symbol message) {
    if (auto o = receiver.asObject()) return o->objectClass().understands(message);
    return receiver.isBlock() && message == evalSymbol();
}

}  // namespace rt
