#include "framework/print/print_dialogs/print_dialog_port.h"

namespace vorpex::print {

namespace {
PrintDialogPort* installedPort = nullptr;
std::function<void(intptr_t)>& answererSlot() {
    static std::function<void(intptr_t)> answerer;
    return answerer;
}
}  // namespace

PrintDialogPort& printDialogPort() { return installedPort ? *installedPort : platformPrintDialogPort(); }
void setPrintDialogPort(PrintDialogPort* port) { installedPort = port; }

void setPrintDialogAnswerer(std::function<void(intptr_t)> answerer) { answererSlot() = std::move(answerer); }
const std::function<void(intptr_t)>& printDialogAnswerer() { return answererSlot(); }

}  // namespace vorpex::print
