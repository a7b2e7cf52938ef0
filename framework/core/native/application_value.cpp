#include "framework/core/native/application_value.h"

#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex {

std::string applicationText(std::string_view message) {
    if (!rt::isPublic("Application")) return {};
    const rt::Value app = rt::publicVar("Application");
    if (!app.isObject()) return {};
    const rt::Symbol symbol = rt::Symbol::intern(message);
    if (!rt::understands(app, symbol)) return {};
    const rt::Value answer = rt::send(app, symbol);
    return answer.isString() ? answer.asString() : std::string();
}

}  // namespace vorpex
