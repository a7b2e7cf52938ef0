// Connects the core's layers before the program's procedures run: every function of the runtime and the core
// callable by name is registered, and the look-ups that walk the program's modules (texts, images, cursors)
// read the instance table. Idempotent. The subsystems above the core wire themselves in
// framework/framework_wiring.h.
#pragma once

namespace vorpex {

void wireCore();

}  // namespace vorpex
