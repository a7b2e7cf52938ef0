#include "framework/core/native/to_string.h"

#include "runtime/lib/display.h"

namespace vorpex {

std::string toText(rt::Args args) {
    const rt::Value& v = rt::arg(args, 0);
    if (v.isLogical()) return v.asLogical() ? ".T." : ".F.";
    if (v.isBlock()) return "{|| ... }";
    if (v.isNil() && args.size() > 1) return rt::displayText(rt::arg(args, 1));
    return rt::displayText(v);
}

}  // namespace vorpex
