// Calls a registered function by name, as a program or an expression would. A name nobody registered fails
// the test and answers NIL.
#pragma once

#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "runtime/core/runtime.h"

namespace rt::testing {

inline Value call(std::string_view name, std::vector<Value> args = {}) {
    const Function* f = findFunction(name);
    if (!f) {
        ADD_FAILURE() << "no function " << name;
        return Value();
    }
    return (*f)(Args(args.data(), args.size()));
}

}  // namespace rt::testing
