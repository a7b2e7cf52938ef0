#include "framework/dialogs/owner_window.h"

#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

namespace {

intptr_t handleOf(const rt::Value& v) { return v.isNumber() ? static_cast<intptr_t>(v.asInteger()) : 0; }

}  // namespace

intptr_t ownerWindow(const rt::Value& owner) {
    if (rt::understands(owner, rt::Symbol::intern("Handle")))
        if (const intptr_t window = handleOf(rt::send(owner, "Handle"))) return window;
    const rt::Function* active = rt::findFunction("GETACTIVEWINDOW");
    return active ? handleOf((*active)({})) : 0;
}

}  // namespace vorpex
