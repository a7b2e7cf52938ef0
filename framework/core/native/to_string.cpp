#include "framework/core/native/to_string.h"

#include "runtime/lib/display.h"

namespace vorpex {

namespace {

// A number shows without the padding Str() gives it: an edit set to 12 holds "12", a help keyword 42 is "42".
std::string shown(const rt::Value& v) {
    std::string text = rt::displayText(v);
    if (v.isNumber()) text.erase(0, text.find_first_not_of(' '));
    return text;
}

}  // namespace

std::string toText(rt::Args args) {
    const rt::Value& v = rt::arg(args, 0);
    if (v.isLogical()) return v.asLogical() ? ".T." : ".F.";
    if (v.isBlock()) return "{|| ... }";
    if (v.isNil() && args.size() > 1) return shown(rt::arg(args, 1));
    return shown(v);
}

}  // namespace vorpex
