// The window a system dialog is owned by: the window of the given owner object (a form or control), else the
// active window; 0 lets the system use the desktop.
#pragma once

#include <cstdint>

#include "runtime/core/value.h"

namespace vorpex {

intptr_t ownerWindow(const rt::Value& owner);

}  // namespace vorpex
