#include "framework/dialogs/help/dialog_help.h"

#include "framework/core/object/event.h"
#include "framework/dialogs/help/cursor_position.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

using rt::Value;

namespace {

const EventRef OnHelp{"OnHelp"};

bool understands(const Value& o, const char* message) { return rt::understands(o, rt::Symbol::intern(message)); }

// An owner that has a window: one that answers a non-zero Handle.
bool hasWindow(const Value& owner) { return understands(owner, "Handle") && rt::send(owner, "Handle").asInteger() != 0; }

}  // namespace

Value fireDialogHelp(rt::Object& dialog, int64_t x, int64_t y) {
    const Value me(dialog.self());
    const Value helpId = understands(me, "HelpId") ? rt::send(me, "HelpId") : Value();
    if (eventAssigned(dialog, OnHelp)) return fireEvent(dialog, OnHelp, {helpId, Value(x), Value(y)});
    const Value parent = understands(me, "oParent") ? rt::send(me, "oParent") : Value();
    const Value target = hasWindow(parent) ? parent : rt::publicVar("Application");
    if (understands(target, "Help")) rt::send(target, "Help", {me, helpId, Value(x), Value(y)});
    return Value(0);
}

void registerDialogHelp() {
    rt::registerFunction("FIREDIALOGHELP", [](rt::Args args) -> Value {
        const Value& dialog = rt::arg(args, 0);
        if (!dialog.isObject()) return Value(0);
        const CursorPosition at = cursorPosition();
        return fireDialogHelp(*dialog.asObject(), at.x, at.y);
    });
}

}  // namespace vorpex
