// Where there are no common dialogs, every run is a cancel.
#include "framework/print/print_dialogs/print_dialog_port.h"

namespace vorpex::print {

PrintDialogPort& platformPrintDialogPort() {
    static PrintDialogPort none;
    return none;
}

}  // namespace vorpex::print
