// Calls a registered function by name, as a program or an expression would.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "framework/core/native/native_functions.h"
#include "runtime/core/runtime.h"
#include "tests/support/function_call.h"

namespace vorpex::testing {

inline rt::Value call(std::string_view name, std::vector<rt::Value> args = {}) {
    registerNativeFunctions();
    return rt::testing::call(name, std::move(args));
}

// A variable passed by reference, and the cell to read it back.
inline rt::Value byRef(rt::RefCell& cell, rt::Value initial = {}) {
    cell = std::make_shared<rt::Value>(std::move(initial));
    return rt::Value::reference(cell);
}

}  // namespace vorpex::testing
