#include "framework/print/print_dialogs/print_dialog_port.h"

namespace vorpex::print {

namespace {
PrintDialogPort* installedPort = nullptr;
}  // namespace

PrintDialogPort& printDialogPort() { return installedPort ? *installedPort : platformPrintDialogPort(); }
void setPrintDialogPort(PrintDialogPort* port) { installedPort = port; }

}  // namespace vorpex::print
