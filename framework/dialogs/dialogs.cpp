#include "framework/dialogs/dialogs.h"

#include "framework/dialogs/drop/drop_files.h"
#include "framework/dialogs/help/dialog_help.h"
#include "framework/dialogs/registry/registry.h"
#include "framework/dialogs/runners/choose_color.h"
#include "framework/dialogs/runners/message_box.h"

namespace vorpex {

void registerDialogServices() {
    dialogs::XRegistry::classRecord();
    dialogs::TRegistry::classRecord();
    registerDropFunctions();
    registerDialogHelp();
    TMessageBox::classRecord();
    TChooseColorDlg::classRecord();
}

}  // namespace vorpex
