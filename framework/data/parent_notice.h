// A data object tells its parent (a data source, a data set) what happened to it, when the parent listens.
#pragma once

#include "runtime/core/object.h"
#include "runtime/core/send.h"
#include "runtime/core/value.h"

namespace vorpex::data {

inline void tellParent(const rt::ObjectPtr& parent, const char* message, const rt::Value& me) {
    if (!parent) return;
    const rt::Symbol s = rt::Symbol::intern(message);
    if (parent->objectClass().understands(s)) rt::send(*parent, s, rt::Args(&me, 1));
}

}  // namespace vorpex::data
