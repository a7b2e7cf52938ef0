#include "display.h"

#include <cstdint>
#include <cstdio>

#include "date.h"
#include "number.h"

namespace rt {

std::string displayText(const Value& value) {
    const Value& v = value.deref();
    switch (v.type()) {
        case Type::Nil: return "NIL";
        case Type::Logical: return v.asLogical() ? ".T." : ".F.";
        case Type::Number: return str(v.asNumber());
        case Type::String: return v.asString();
        case Type::Date: return dtoc(v.asDate());
        case Type::Array:
        case Type::Object: return "{ ... }";
        case Type::Block: return "{|| ... }";
        case Type::Pointer: {
            char buf[32];
            std::snprintf(buf, sizeof buf, "0x%llx",
                          static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(v.asPointer().address)));
            return buf;
        }
    }
    return std::string();
}

}  // namespace rt
