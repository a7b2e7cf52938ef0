#include "framework/core/native/application_value.h"

#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

rt::Value application() { return rt::isPublic("Application") ? rt::publicVar("Application") : rt::Value(); }

std::string applicationText(std::string_view message) {
    const rt::Value app = application();
    if (!app.isObject()) return {};
    const rt::Symbol symbol = rt::Symbol::intern(message);
    if (!rt::understands(app, symbol)) return {};
    const rt::Value answer = rt::send(app, symbol);
    return answer.isString() ? answer.asString() : std::string();
}

void processPendingMessages() {
    if (const rt::Function* f = rt::findFunction("PROCESSMESSAGES")) (*f)({});
}

}  // namespace vorpex
