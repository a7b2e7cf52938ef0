#include "framework/core/native/display_text.h"

#include <cstdio>

#include "framework/core/native/hex.h"
#include "runtime/core/block.h"
#include "runtime/core/class.h"
#include "runtime/core/object.h"
#include "runtime/core/settings.h"
#include "runtime/lib/date.h"

namespace vorpex {

namespace {
std::string numberText(const rt::Number& n) {
    if (n.isInteger) return std::to_string(n.integer);
    const int decimals = n.decimals >= 0 ? n.decimals : rt::settings().decimals;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, n.real);
    return buffer;
}
}  // namespace

// The runtime library's general conversion of a value to text will take over here once it is available;
// until then this covers the types a person is shown.
std::string displayText(const rt::Value& v) {
    switch (v.type()) {
        case rt::Type::Nil: return "NIL";
        case rt::Type::Logical: return v.asLogical() ? ".T." : ".F.";
        case rt::Type::Number: return numberText(v.asNumber());
        case rt::Type::String: return v.asString();
        case rt::Type::Date: return rt::dtoc(v.asDate());
        case rt::Type::Array: return "{ ... }";
        case rt::Type::Object: return "{ " + v.asObject()->objectClass().name() + " }";
        case rt::Type::Block: return "{|| ... }";
        case rt::Type::Pointer: return "0x" + hex(static_cast<int64_t>(reinterpret_cast<uintptr_t>(v.asPointer().address)));
    }
    return {};
}

}  // namespace vorpex
