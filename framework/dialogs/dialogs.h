// Dialogs and system services. registerDialogServices() builds their classes (TRegistry, which also makes its
// class function callable by name); wireFramework() calls it before the runtime starts. Safe to call more than
// once. File names and the run-time record live in the core (core/file_name, core/ex_struct).
#pragma once

namespace vorpex {

void registerDialogServices();

}  // namespace vorpex
