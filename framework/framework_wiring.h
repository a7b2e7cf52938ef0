// Connects every subsystem of the framework before the program's procedures run: the functions of each
// subsystem become callable by name, so that start-up procedures (INITAPPLICATION$ makes Screen with its
// cursors) and programs find them. The core wires itself (core/startup/core_wiring.h). Idempotent.
#pragma once

namespace vorpex {

void wireFramework();

}  // namespace vorpex
