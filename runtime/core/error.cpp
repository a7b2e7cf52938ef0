#include "error.h"

#include <cstdio>

#include "callback_guard.h"

namespace rt {

namespace {

ErrorAnswer defaultHandler(Error& e) {
    std::fprintf(stderr, "%s\n", describe(e).c_str());
    return {ErrorAction::Break, Value()};
}

ErrorHandler& handlerSlot() {
    static ErrorHandler h = defaultHandler;
    return h;
}

struct PendingBreak {
    bool pending = false;
    Break value;
};

PendingBreak& pending() {
    static PendingBreak p;
    return p;
}

}  // namespace

ErrorHandler setErrorHandler(ErrorHandler handler) {
    ErrorHandler old = std::move(handlerSlot());
    handlerSlot() = handler ? std::move(handler) : ErrorHandler(defaultHandler);
    return old;
}

const ErrorHandler& errorHandler() { return handlerSlot(); }

ErrorAnswer raise(Error& e) {
    ++e.tries;
    ErrorAnswer a = handlerSlot()(e);
    // A handler may only retry or default what the error allows; anything else breaks.
    if ((a.action == ErrorAction::Retry && !e.canRetry) || (a.action == ErrorAction::Default && !e.canDefault &&
                                                            !e.canSubstitute))
        a.action = ErrorAction::Break;
    if (a.action == ErrorAction::Break) throw Break{a.value};
    return a;
}

Error noMethodError(std::string_view message, Args args) {
    Error e;
    e.genCode = eg::NoMethod;
    e.subCode = 1004;
    e.description = "No exported method";
    e.operation = std::string(message);
    e.args = Value::array(std::vector<Value>(args.begin(), args.end()));
    e.canRetry = true;
    e.canDefault = true;
    return e;
}

std::string describe(const Error& e) {
    std::string s = "Error " + e.subSystem + "/" + std::to_string(e.subCode);
    if (!e.description.empty()) s += "  " + e.description;
    if (!e.operation.empty()) s += ": " + e.operation;
    if (!e.filename.empty()) s += " <" + e.filename + ">";
    if (e.osCode != 0) s += " (DOS Error " + std::to_string(e.osCode) + ")";
    return s;
}

void setPendingBreak(Break b) {
    if (pending().pending) return;  // the first break wins; later ones unwind to the same place
    pending().pending = true;
    pending().value = std::move(b);
}

bool breakPending() { return pending().pending; }

void rethrowPendingBreak() {
    if (!pending().pending) return;
    Break b = std::move(pending().value);
    pending() = PendingBreak{};
    throw b;
}

void clearPendingBreak() { pending() = PendingBreak{}; }

}  // namespace rt
