// Adapts a function over a class's own C++ type, f(XClass&, rt::Args), to a method of its class record.
#pragma once

#include "runtime/core/class.h"
#include "runtime/core/value.h"

namespace vorpex {

template <class T, class F>
rt::NativeMethod typedMethod(F f) {
    return [f](rt::Object& o, const rt::Method&, rt::Args a) -> rt::Value { return f(static_cast<T&>(o), a); };
}

}  // namespace vorpex
