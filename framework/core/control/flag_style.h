// The by-name setter of a logical property that mirrors one window style bit: it stores a logical when one is
// given, sets or clears the bit from what is stored (ChangeCtlStyle) and answers what is stored.
#pragma once

#include <cstdint>

#include "runtime/core/class.h"
#include "runtime/core/send.h"

namespace vorpex {

// `position` is the property's field, filled in when the class is built: it is read at each call.
inline rt::NativeMethod flagStyleSetter(const int& position, int64_t bit) {
    return [&position, bit](rt::Object& self, const rt::Method&, rt::Args a) -> rt::Value {
        const rt::Value& on = rt::arg(a, 0);
        if (on.isLogical()) self.field(position) = on;
        const rt::Value stored = self.field(position);
        rt::send(self, "ChangeCtlStyle", {rt::Value(static_cast<long long>(bit)), rt::Value(stored.asLogical())});
        return stored;
    };
}

}  // namespace vorpex
