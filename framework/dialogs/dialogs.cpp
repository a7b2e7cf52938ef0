#include "framework/dialogs/dialogs.h"

#include "framework/dialogs/drop/drop_files.h"
#include "framework/dialogs/file_dialogs/file_dialog.h"
#include "framework/dialogs/help/dialog_help.h"
#include "framework/dialogs/mail/mapi.h"
#include "framework/dialogs/registry/registry.h"
#include "framework/dialogs/runners/choose_color.h"
#include "framework/dialogs/runners/choose_font.h"
#include "framework/dialogs/runners/file_operation.h"
#include "framework/dialogs/runners/find_replace.h"
#include "framework/dialogs/runners/message_box.h"
#include "framework/dialogs/runners/shell_dialogs.h"

namespace vorpex {

void registerDialogServices() {
    dialogs::XRegistry::classRecord();
    dialogs::TRegistry::classRecord();
    registerDropFunctions();
    registerDialogHelp();
    TMessageBox::classRecord();
    TChooseColorDlg::classRecord();
    TFindDlg::classRecord();
    TReplaceDlg::classRecord();
    TChooseFontDlg::classRecord();
    TFileOperationDlg::classRecord();
    TPickIconDlg::classRecord();
    TRunFileDlg::classRecord();
    TFormatDriveDlg::classRecord();
    TMapi::classRecord();
    registerFileDialogs();
}

}  // namespace vorpex
