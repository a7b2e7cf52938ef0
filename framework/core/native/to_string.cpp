#include "framework/core/native/to_string.h"

#include "framework/core/native/display_text.h"

namespace vorpex {

std::string toText(rt::Args args) {
    const rt::Value& v = rt::arg(args, 0);
    if (v.isLogical()) return v.asLogical() ? ".T." : ".F.";
    if (v.isBlock()) return "{|| ... }";
    if (v.isNil() && args.size() > 1) {
        const rt::Value& fallback = rt::arg(args, 1);
        return fallback.isString() ? fallback.asString() : displayText(fallback);
    }
    return displayText(v);
}

}  // namespace vorpex
