// Dialogs and system services. registerDialogServices() builds their classes (TFileName, TExStruct, which
// also makes their class functions callable by name) and registers their functions; wireFramework() calls it
// before the runtime starts. Safe to call more than once.
#pragma once

namespace vorpex {

void registerDialogServices();

}  // namespace vorpex
