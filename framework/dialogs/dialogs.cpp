#include "framework/dialogs/dialogs.h"

#include "framework/dialogs/drop/drop_files.h"
#include "framework/dialogs/help/dialog_help.h"
#include "framework/dialogs/registry/registry.h"

namespace vorpex {

void registerDialogServices() {
    dialogs::XRegistry::classRecord();
    dialogs::TRegistry::classRecord();
    registerDropFunctions();
    registerDialogHelp();
}

}  // namespace vorpex
