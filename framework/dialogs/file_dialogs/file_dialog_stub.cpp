#include "framework/dialogs/file_dialogs/file_dialog_port.h"

namespace vorpex {

FileDialogAnswer runFileDialog(FileDialogRequest) { return {}; }

}  // namespace vorpex
